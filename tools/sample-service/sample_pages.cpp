#include "tools/sample-service/sample_pages.h"

#include "harvest/service_hosts.h"
#include "tools/sample-service/sample_words.h"

namespace {

constexpr int kPages12 = 12;
constexpr int kBenchPagerLinks = 10;

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

SampleRng PageRng(std::string_view domain, int page) {
  return SampleRng{DomainHash(domain) ^ (static_cast<std::uint64_t>(page) * 0xD6E8FEB86659FD93ull)};
}

RankingRow RandomRow(SampleRng& rng, std::string keyword) {
  RankingRow row{std::move(keyword), 1 + rng.Below(100), 0, 0};
  row.pcVolume = rng.Below(3000);
  row.mobileVolume = rng.Below(12000);
  return row;
}

// "第2页第7位": the result page and the place on it, ten results a page.
std::string RankText(int rank) {
  return "第" + std::to_string((rank - 1) / 10 + 1) + "页第" + std::to_string((rank - 1) % 10 + 1) +
         "位";
}

std::string RankUrl(std::string_view escapedDomain) {
  return std::string("http://") + RankHost + "/baidu/" + std::string(escapedDomain) + "/";
}

std::string RowHtml(int number, const RankingRow& row) {
  // The keyword link closes with /"> right after the path, which is where the
  // program's pattern ends a keyword; target= stands before href= for that.
  return "<tr><td class=\"no\">" + std::to_string(number) +
         "</td><td class=\"kw\"><a target=\"_blank\" href=\"http://" + KeywordHost + "/" +
         row.keyword + "/\">" + row.keyword + "</a></td><td class=\"rank\">" + RankText(row.rank) +
         "</td><td class=\"pc\">" + std::to_string(row.pcVolume) + "</td><td class=\"mobile\">" +
         std::to_string(row.mobileVolume) + "</td><td class=\"title\">" + row.keyword +
         "_相关网页</td></tr>\n";
}

// One link per page; every link ends in /position/"> (the page-link marker),
// the current one included, so the marker count is the page count.
std::string PagerHtml(std::string_view escapedDomain, int page, int pageCount) {
  std::string html = "<div class=\"pager\">\n";
  for (int n = 1; n <= pageCount; ++n) {
    html += "<a" + std::string(n == page ? " class=\"current\"" : "") + " href=\"" +
            RankUrl(escapedDomain) + std::to_string(n) + "/position/\">" + std::to_string(n) +
            "</a>\n";
  }
  return html + "</div>\n";
}

std::string RenderPage(std::string_view domain, int page, int pageCount,
                       const std::vector<RankingRow>& rows) {
  const std::string name = HtmlEscape(domain);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + name +
      "的百度关键词排名_第" + std::to_string(page) +
      "页 - 站长数据</title>\n<link rel=\"stylesheet\" href=\"/static/css/rank.css\">\n"
      "</head>\n<body>\n<div class=\"header\"><a href=\"http://" +
      RankHost + "/\">站长数据</a> &gt; <a href=\"" + RankUrl(name) + "\">" + name +
      "</a> &gt; 百度关键词排名</div>\n<div class=\"summary\">" + name + " 的百度关键词，第 <b>" +
      std::to_string(page) + "</b>/<b>" + std::to_string(pageCount) +
      "</b> 页，排名与搜索量每日更新。</div>\n<table class=\"rank-table\">\n<thead><tr>"
      "<th>序号</th><th>关键词</th><th>排名</th><th>PC搜索量</th><th>移动搜索量</th>"
      "<th>网页标题</th></tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) html += RowHtml(static_cast<int>(i) + 1, rows[i]);
  html += "</tbody>\n</table>\n" + PagerHtml(name, page, pageCount);
  html += "<div class=\"footer\">数据仅供参考 | <a href=\"http://" + std::string(RankHost) +
          "/about/\">关于我们</a></div>\n</body>\n</html>\n";
  return html;
}

}  // namespace

int PageCount(std::string_view domain) {
  if (domain == "pages12.test") return kPages12;
  if (EndsWith(domain, ".test")) return 1;
  return 1 + static_cast<int>(DomainHash(domain) % 5);
}

std::vector<RankingRow> PageRows(std::string_view domain, int page) {
  std::vector<RankingRow> rows;
  if (page < 1 || page > PageCount(domain)) return rows;
  SampleRng rng = PageRng(domain, page);
  const int count = 6 + rng.Below(10);
  for (int i = 0; i < count; ++i) rows.push_back(RandomRow(rng, SampleKeyword(rng)));
  if (page > 1) rows.front().keyword = PageRows(domain, page - 1).back().keyword;
  // The filtered keyword never goes last, so the repeat above always carries
  // a real keyword over.
  if (page == 1 || rng.Below(2) == 0) {
    auto at = rows.begin() + 1 + rng.Below(count - 1);
    rows.insert(at, RandomRow(rng, std::string(JunkKeyword(rng))));
  }
  return rows;
}

std::string RankingPage(std::string_view domain, int page) {
  std::vector<RankingRow> rows = PageRows(domain, page);
  if (rows.empty()) return "";
  return RenderPage(domain, page, PageCount(domain), rows);
}

std::string LargeRankingPage(std::size_t minBytes) {
  SampleRng rng{DomainHash("bench.example.com")};
  std::vector<RankingRow> rows;
  std::size_t rowBytes = 0;
  // The frame around the rows is about 1.5 KB; grow until the page is big enough.
  while (rowBytes + 1500 < minBytes) {
    rows.push_back(RandomRow(rng, SampleKeyword(rng)));
    rowBytes += RowHtml(static_cast<int>(rows.size()), rows.back()).size();
  }
  std::string page = RenderPage("bench.example.com", 1, kBenchPagerLinks, rows);
  while (page.size() < minBytes) {
    rows.push_back(RandomRow(rng, SampleKeyword(rng)));
    page = RenderPage("bench.example.com", 1, kBenchPagerLinks, rows);
  }
  return page;
}
