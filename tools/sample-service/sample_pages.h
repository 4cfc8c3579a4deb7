// Sample ranking pages: the content that the sample ranking service serves,
// as a library so tests and benchmarks can make the same pages without a
// running service.
//
// A domain's pages are fixed by its name (ASCII case ignored): the same
// domain gives the same pages on every run and machine. Each page is UTF-8
// HTML shaped like a real ranking page: a table of rows whose keyword stands
// in a link
//     <a target="_blank" href="http://KeywordHost/KEYWORD/">KEYWORD</a>
// followed by rank and search-volume cells, and a pager with one link per
// page, each ending in "/position/">", so the first page of a domain with P
// pages carries exactly P such markers. Every character of a normal page is
// one GBK can hold.
//
// Pure functions over their arguments; safe to call from any thread.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_PAGES_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_PAGES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct RankingRow {
  std::string keyword;  // as it stands in the link path and the link text
  int rank;             // position in the search results, 1..100
  int pcVolume;         // daily searches on computers
  int mobileVolume;     // daily searches on phones
};

// Number of ranking pages of `domain`: 1 to 5 from its name; 12 for
// "pages12.test"; 1 for any other name under ".test".
int PageCount(std::string_view domain);

// The rows of page `page` (1-based) of `domain`, in page order: 6 to 16 rows.
// Page n > 1 starts with the last keyword of page n - 1, as a real listing
// does when rankings shift; every first page and about half the further pages
// hold one keyword the program's filter drops (JunkKeyword). Gives no rows
// for a page outside 1..PageCount(domain).
std::vector<RankingRow> PageRows(std::string_view domain, int page);

// The UTF-8 HTML of page `page` of `domain` (PageRows in a full page with a
// pager of PageCount(domain) links). The domain is HTML-escaped where it is
// shown. Gives "" for a page outside 1..PageCount(domain).
std::string RankingPage(std::string_view domain, int page);

// A realistic large ranking page for parsing benchmarks: a first page of
// "bench.example.com" with 10 pager links and as many rows as it takes to
// reach at least `minBytes` bytes (a 300 KB page holds about 1,100 keyword
// links). The same `minBytes` gives the same page.
std::string LargeRankingPage(std::size_t minBytes);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_PAGES_H_
