// A ranking page as the program reads it, for checking the sample service's
// documented counts: the program's own UTF-8 to GBK conversion and page
// parsing (harvest/ranking_page.h) over the pages the service sends, and the
// extraction run's walk over a domain's pages (first page, then pages 2..k
// for k markers on the first page), which needs no window here. Beside them
// a literal reading of the keyword links in the markup, for the number of
// links a page holds before the program's filter.
#ifndef RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_
#define RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

// `utf8` converted to GBK as the program converts a page body; nothing when
// the conversion fails (any invalid sequence, any character GBK cannot hold).
std::optional<Text> ToGbk(std::string_view utf8);

// The candidates the keyword-link pattern cuts out of `page`, in page order,
// before the filter: from each "http://KeywordHost/" to the first /"> after
// it, with every link prefix inside removed. The pages served hold the host
// only literally, so a literal search (ASCII case ignored) stands in for the
// pattern.
std::vector<std::string> LinkCandidates(std::string_view page);

struct DomainHarvest {
  int pages = 0;  // pages requested
  int links = 0;  // keyword links in the bodies received (LinkCandidates)
  int kept = 0;   // keywords the program keeps (ExtractKeywords)
};

// Walks a domain's pages as the extraction run does, with `fetch` giving the
// body of an address (empty on failure): the first page, then pages 2 to
// CountRankPages(first page) + 1. A body that does not convert reads as the
// empty page.
DomainHarvest HarvestDomain(const std::string& domain,
                            const std::function<std::string(const std::string& url)>& fetch);

#endif  // RUZIDUZ_TESTS_SAMPLE_SERVICE_PAGE_READING_H_
