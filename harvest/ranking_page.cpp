#include "harvest/ranking_page.h"

#include <boost/regex.hpp>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "harvest/service_hosts.h"

// A ranking page lists each keyword in a link to the keyword host, and its
// pager links end in "/position/":
//
//   <a href="http://keyword.example.com/KEYWORD/">KEYWORD</a>
//   <a href="http://rank.example.com/baidu/DOMAIN/2/position/">2</a>
//
// Both expressions are matched on the page's GBK bytes, ignoring ASCII case.

namespace {

const char kLinkSuffix[] = "/\">";

// Regex traits that fold the ASCII letters alone, as the rest of the program
// does, without asking the locale: Boost's default traits call the global
// locale's virtual tolower for every byte they compare, a good part of the
// search time on a page.
struct AsciiCaseTraits : boost::regex_traits<char> {
  static char Fold(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
  char translate(char c, bool icase) const { return icase ? Fold(c) : c; }
  char translate_nocase(char c) const { return Fold(c); }
  char tolower(char c) const { return Fold(c); }
};
using PageRegex = boost::basic_regex<char, AsciiCaseTraits>;
using PageMatch = boost::sub_match<Text::const_iterator>;

PageRegex CompileIgnoringCase(const std::string& pattern) {
  return PageRegex(pattern, boost::regex::perl | boost::regex::icase);
}

// Calls onMatch with every leftmost, non-overlapping match of expression in
// the first `end` bytes of text, in order. `.` matches any byte, CR and LF
// included (the Perl default). When Boost gives up on a search (its
// complexity or memory bound, counted afresh for each match), the matches
// before it stand.
//
// regex_grep runs one matcher from match to match, where regex_iterator
// sets up a new one for the search after every match; Boost lists it among
// its older interfaces, but the search is the same and, with a thousand
// links a page, measurably faster. match_nosubs: only the whole match is
// used, so the group's bounds need not be recorded.
template <class OnMatch>
void ForEachMatch(const PageRegex& expression, const Text& text, size_t end, OnMatch onMatch) {
  try {
    boost::regex_grep(
        [&](const boost::match_results<Text::const_iterator>& match) {
          onMatch(match[0]);
          return true;
        },
        text.begin(), text.begin() + end, expression, boost::match_nosubs);
  } catch (const std::runtime_error&) {
    // boost::regex_error is a runtime_error: nothing more is found.
  }
}

// A candidate is dropped when it is empty or, ignoring ASCII case, a piece
// of one of these texts: FindText searches for the candidate INSIDE each of
// them, and an empty needle is found in any non-empty text.
bool IsFilteredOut(const Text& candidate) {
  static const Text kFilterTexts[] = {"com", ".cn", ".net", "www.", "http"};
  for (const Text& filterText : kFilterTexts) {
    // Most candidates are longer than every filter text, so none can be a
    // piece of one: no search needed.
    if (candidate.size() <= filterText.size() && FindText(filterText, candidate, 1, true) != -1) {
      return true;
    }
  }
  return false;
}

}  // namespace

void ExtractKeywords(const Text& pageText, TextArray& keywords) {
  keywords.clear();
  // The host goes into the pattern unescaped, so each of its dots matches
  // any byte; the prefix removal below only strips the host spelled exactly.
  const std::string host = KeywordHost;
  const PageRegex keywordLink = CompileIgnoringCase("http://" + host + "/(.*?)/\">");
  const Text linkPrefix = "http://" + host + "/";

  // Every match ends in the link suffix, so none can end past the last
  // suffix of the page. Searching only up to there gives the same matches
  // and spares the lazy repeat from running to the end of the page from
  // every unclosed link after it, which is quadratic (thousands of them
  // would freeze the window, then end in Boost's complexity error).
  const size_t lastSuffix = std::string_view(pageText).rfind(kLinkSuffix);
  if (lastSuffix == std::string_view::npos) return;
  const size_t searchEnd = lastSuffix + (sizeof kLinkSuffix - 1);

  Text link;  // one buffer for every match's text
  ForEachMatch(keywordLink, pageText, searchEnd, [&](const PageMatch& match) {
    link.assign(match.first, match.second);
    Text candidate =
        ReplaceText(ReplaceText(link, linkPrefix, "", 1, -1, false), kLinkSuffix, "", 1, -1, false);
    if (!IsFilteredOut(candidate)) keywords.push_back(std::move(candidate));
  });
}

int CountRankPages(const Text& pageText) {
  const PageRegex pageLink = CompileIgnoringCase("/position/\">");
  int markers = 0;
  ForEachMatch(pageLink, pageText, pageText.size(), [&](const PageMatch&) { ++markers; });
  return markers - 1;
}
