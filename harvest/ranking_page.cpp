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
using PageMatches = boost::regex_iterator<Text::const_iterator, char, AsciiCaseTraits>;

PageRegex CompileIgnoringCase(const std::string& pattern) {
  return PageRegex(pattern, boost::regex::perl | boost::regex::icase);
}

// Calls onMatch with the text of every leftmost, non-overlapping match of
// expression in the first `end` bytes of text, in order. `.` matches any
// byte, CR and LF included (the Perl default). When Boost gives up on a
// search (its complexity or memory bound), the matches before it stand.
template <class OnMatch>
void ForEachMatch(const PageRegex& expression, const Text& text, size_t end, OnMatch onMatch) {
  try {
    const PageMatches last;
    for (PageMatches it(text.begin(), text.begin() + end, expression); it != last; ++it) {
      onMatch((*it)[0].str());
    }
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
    if (FindText(filterText, candidate, 1, true) != -1) return true;
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

  ForEachMatch(keywordLink, pageText, searchEnd, [&](const Text& link) {
    Text candidate =
        ReplaceText(ReplaceText(link, linkPrefix, "", 1, -1, false), kLinkSuffix, "", 1, -1, false);
    if (!IsFilteredOut(candidate)) keywords.push_back(std::move(candidate));
  });
}

int CountRankPages(const Text& pageText) {
  const PageRegex pageLink = CompileIgnoringCase("/position/\">");
  int markers = 0;
  ForEachMatch(pageLink, pageText, pageText.size(), [&](const Text&) { ++markers; });
  return markers - 1;
}
