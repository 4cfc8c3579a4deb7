// How the program reads a ranking page, written again independently of it so
// the sample service's documented counts can be checked without the program:
// the UTF-8 to GBK conversion that fails whole, the lazy keyword-link
// pattern, the keyword filter and the page-link marker count, and the walk
// over a domain's pages (first page, then pages 2..k for k markers).
#ifndef RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_
#define RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// `utf8` in GBK; nothing when any byte sequence is invalid or has no GBK form.
std::optional<std::string> ToGbk(std::string_view utf8);

// The candidates the keyword-link pattern cuts out of `page`, in page order:
// from each "http://KeywordHost/" to the first /"> after it, with every link
// prefix inside removed. The pages served hold the host only literally, so a
// literal search (ASCII case ignored) stands in for the pattern.
std::vector<std::string> LinkCandidates(std::string_view page);

// Whether the filter drops `candidate`: it is empty or, ASCII case ignored, a
// contiguous piece of "com", ".cn", ".net", "www." or "http".
bool FilterDrops(std::string_view candidate);

// Occurrences of /position/"> in `page`, ASCII case ignored.
int PagerMarkers(std::string_view page);

struct DomainHarvest {
  int pages = 0;  // pages requested
  int links = 0;  // keyword links in the bodies received
  int kept = 0;   // keywords the program keeps
};

// Walks a domain's pages as the program does, with `fetch` giving the body of
// an address (empty on failure): the first page, then pages 2..k where k is
// the number of markers on the first page after conversion.
DomainHarvest HarvestDomain(const std::string& domain,
                            const std::function<std::string(const std::string& url)>& fetch);

#endif  // RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_
