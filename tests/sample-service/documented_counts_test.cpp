// The README of tools/sample-service tells, for named domains, how many pages
// the program requests, how many keyword links it receives and how many
// keywords it keeps. This test reads those tables and walks every domain in
// them through the running service as the program would, so the figures
// cannot drift from what the service serves.
#include <gtest/gtest.h>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/sample-service/http_fetch.h"
#include "tests/sample-service/page_reading.h"
#include "tests/support/sample_service.h"

namespace {

struct DocumentedRow {
  std::string domain;
  DomainHarvest counts;
};

// Table rows of the form | `domain` | pages | links | kept | ... ; rows whose
// counts are not all numbers (the endless fault domains) are not taken.
std::vector<DocumentedRow> ReadDocumentedRows() {
  std::ifstream in(RUZIDUZ_SAMPLE_SERVICE_README);
  const std::regex row(R"(^\| `([^`]+)` \| (\d+) \| (\d+) \| (\d+) \|.*)");
  std::vector<DocumentedRow> rows;
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_match(line, m, row))
      rows.push_back({m[1], {std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])}});
  }
  return rows;
}

TEST(DocumentedCountsTest, ReadmeCountsAreWhatTheProgramGets) {
  const std::vector<DocumentedRow> rows = ReadDocumentedRows();
  ASSERT_GE(rows.size(), 10u) << "tables not found in " << RUZIDUZ_SAMPLE_SERVICE_README;
  SampleService service;
  const auto fetch = [&service](const std::string& url) {
    const Fetched f = Fetch(url, {.proxy = service.proxyUrl(), .followRedirects = true});
    return f.code == CURLE_OK ? f.body : std::string();
  };
  for (const DocumentedRow& row : rows) {
    const DomainHarvest got = HarvestDomain(row.domain, fetch);
    EXPECT_TRUE(got.pages == row.counts.pages && got.links == row.counts.links &&
                got.kept == row.counts.kept)
        << "README row should read: | `" << row.domain << "` | " << got.pages << " | " << got.links
        << " | " << got.kept << " |";
  }
  EXPECT_EQ(service.Stop(), 0);
}

}  // namespace
