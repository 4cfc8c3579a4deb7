#include "tools/sample-service/fault_pages.h"

#include "harvest/service_hosts.h"
#include "tools/sample-service/sample_pages.h"

namespace {

// Puts `notice` in a paragraph right after the opening <body> tag.
std::string WithNotice(std::string page, const std::string& notice) {
  const std::string body = "<body>\n";
  page.insert(page.find(body) + body.size(), "<p class=\"notice\">" + notice + "</p>\n");
  return page;
}

}  // namespace

std::string BadUtf8Page() {
  return WithNotice(RankingPage("badutf8.test", 1), "数据\xC3\x28更新中 \xFF 请稍候\xE4\xB8");
}

std::string NonGbkPage() {
  return WithNotice(RankingPage("nongbk.test", 1), "热门关键词 \xF0\x9F\x98\x80 每日推荐");
}

std::string UnclosedLinkPage() {
  std::string page = RankingPage("unclosed.test", 1);
  const std::string prefix = std::string("href=\"http://") + KeywordHost + "/";
  std::size_t link = page.find(prefix);
  for (int i = 1; i < 3; ++i) link = page.find(prefix, link + 1);
  const std::size_t pathStart = link + prefix.size();
  const std::size_t end = page.find("/\">", pathStart);
  const std::string keyword = page.substr(pathStart, end - pathStart);
  page.replace(end, 3, "\" title=\"" + keyword + "\">");
  return page;
}

std::string ServerErrorPage() {
  const std::string link = std::string("<a href=\"http://") + KeywordHost + "/";
  return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>500 服务器内部错误</title>\n</head>\n<body>\n<h1>500 服务器内部错误</h1>\n"
         "<p>服务器暂时无法处理您的请求，请稍后再试。</p>\n<p>相关：" +
         link + "服务器错误/\">服务器错误</a> " + link +
         "网站维护/\">网站维护</a></p>\n</body>\n</html>\n";
}
