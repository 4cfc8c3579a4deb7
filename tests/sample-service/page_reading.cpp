#include "tests/sample-service/page_reading.h"

#include "harvest/ranking_page.h"
#include "harvest/service_hosts.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::size_t FindIgnoringCase(std::string_view text, std::string_view part, std::size_t from) {
  for (std::size_t i = from; i + part.size() <= text.size(); ++i) {
    std::size_t j = 0;
    while (j < part.size() && Lower(text[i + j]) == Lower(part[j])) ++j;
    if (j == part.size()) return i;
  }
  return std::string_view::npos;
}

std::string RemoveAllIgnoringCase(std::string text, std::string_view part) {
  for (std::size_t at; (at = FindIgnoringCase(text, part, 0)) != std::string::npos;)
    text.erase(at, part.size());
  return text;
}

std::string LinkPrefix() { return std::string("http://") + KeywordHost + "/"; }

// The page text of a body, as the extraction run makes it: the empty text
// when the conversion fails.
Text PageText(const std::string& body) {
  return BytesToText(ConvertEncoding(ByteSet(body.begin(), body.end()), "UTF-8", "GBK"));
}

}  // namespace

std::optional<Text> ToGbk(std::string_view utf8) {
  bool converted = false;
  const ByteSet gbk =
      ConvertEncoding(ByteSet(utf8.begin(), utf8.end()), "UTF-8", "GBK", &converted);
  if (!converted) return std::nullopt;
  return BytesToText(gbk);
}

std::vector<std::string> LinkCandidates(std::string_view page) {
  const std::string prefix = LinkPrefix();
  std::vector<std::string> candidates;
  for (std::size_t at = 0;;) {
    const std::size_t start = FindIgnoringCase(page, prefix, at);
    if (start == std::string_view::npos) return candidates;
    const std::size_t end = page.find("/\">", start + prefix.size());
    if (end == std::string_view::npos) return candidates;
    candidates.push_back(RemoveAllIgnoringCase(
        std::string(page.substr(start + prefix.size(), end - start - prefix.size())), prefix));
    at = end + 3;
  }
}

DomainHarvest HarvestDomain(const std::string& domain,
                            const std::function<std::string(const std::string& url)>& fetch) {
  const std::string base = std::string("http://") + RankHost + "/baidu/" + domain + "/";
  DomainHarvest harvest;
  int lastPage = 1;
  TextArray keywords;
  for (int page = 1; page <= lastPage; ++page) {
    const std::string body = fetch(page == 1 ? base : base + std::to_string(page) + "/position/");
    ++harvest.pages;
    harvest.links += static_cast<int>(LinkCandidates(body).size());
    const Text text = PageText(body);
    ExtractKeywords(text, keywords);
    harvest.kept += static_cast<int>(keywords.size());
    if (page == 1) lastPage = CountRankPages(text) + 1;
  }
  return harvest;
}
