#include "tests/sample-service/page_reading.h"

#include <iconv.h>
#include <cerrno>

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

}  // namespace

std::optional<std::string> ToGbk(std::string_view utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
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

bool FilterDrops(std::string_view candidate) {
  for (std::string_view filter : {"com", ".cn", ".net", "www.", "http"})
    if (FindIgnoringCase(filter, candidate, 0) != std::string_view::npos) return true;
  return false;
}

int PagerMarkers(std::string_view page) {
  int count = 0;
  for (std::size_t at = 0; (at = FindIgnoringCase(page, "/position/\">", at)) != page.npos; ++at)
    ++count;
  return count;
}

DomainHarvest HarvestDomain(const std::string& domain,
                            const std::function<std::string(const std::string& url)>& fetch) {
  const std::string base = std::string("http://") + RankHost + "/baidu/" + domain + "/";
  DomainHarvest harvest;
  int lastPage = 1;
  for (int page = 1; page <= lastPage; ++page) {
    const std::string body = fetch(page == 1 ? base : base + std::to_string(page) + "/position/");
    ++harvest.pages;
    harvest.links += static_cast<int>(LinkCandidates(body).size());
    // A body that does not convert reads as an empty page: no keywords, and
    // on the first page no markers.
    const std::string text = ToGbk(body).value_or("");
    for (const std::string& candidate : LinkCandidates(text))
      if (!FilterDrops(candidate)) ++harvest.kept;
    if (page == 1) lastPage = PagerMarkers(text);
  }
  return harvest;
}
