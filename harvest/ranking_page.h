// Parsing of one ranking page (GBK text): the keywords of its keyword links
// and the number of further pages its pager announces.
#ifndef RUZIDUZ_HARVEST_RANKING_PAGE_H_
#define RUZIDUZ_HARVEST_RANKING_PAGE_H_

#include "text/text.h"

// Empties keywords, then appends the keyword of every keyword link in page
// order, duplicates kept; a page without links leaves it empty.
void ExtractKeywords(const Text& pageText, TextArray& keywords);

// Number of pager links (`/position/">`, any case) minus one: -1 for a page
// without any, the empty page included.
int CountRankPages(const Text& pageText);

#endif  // RUZIDUZ_HARVEST_RANKING_PAGE_H_
