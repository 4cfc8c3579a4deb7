// The sample ranking pages as generated: what the links and the pager hold,
// that the program can convert them, and the benchmark page.
#include "tools/sample-service/sample_pages.h"

#include <gtest/gtest.h>

#include "harvest/ranking_page.h"
#include "tests/sample-service/page_reading.h"
#include "tools/sample-service/fault_pages.h"

namespace {

const char* const kDomains[] = {"www.example.com",  "a.com",    "shop.example.cn",
                                "blog.example.net", "x.cn",     "pages12.test",
                                "WWW.Example.COM",  "中文.com", "a\"<b>&.com"};

std::vector<std::string> Keywords(const std::vector<RankingRow>& rows) {
  std::vector<std::string> keywords;
  for (const RankingRow& row : rows) keywords.push_back(row.keyword);
  return keywords;
}

TEST(SamplePagesTest, LinksHoldTheRowsKeywordsAndThePagerOneLinkAPage) {
  for (const char* domain : kDomains) {
    SCOPED_TRACE(domain);
    const int pages = PageCount(domain);
    ASSERT_GE(pages, 1);
    for (int page = 1; page <= pages; ++page) {
      SCOPED_TRACE(page);
      const std::string html = RankingPage(domain, page);
      EXPECT_EQ(LinkCandidates(html), Keywords(PageRows(domain, page)));
      // One pager link a page: the program requests pages 2 to pages.
      EXPECT_EQ(CountRankPages(html), pages - 1);
    }
    EXPECT_EQ(RankingPage(domain, 0), "");
    EXPECT_EQ(RankingPage(domain, pages + 1), "");
  }
}

TEST(SamplePagesTest, SameDomainSamePagesWhateverTheCase) {
  EXPECT_EQ(Keywords(PageRows("WWW.Example.COM", 1)), Keywords(PageRows("www.example.com", 1)));
  EXPECT_EQ(RankingPage("a.com", 2), RankingPage("a.com", 2));
  EXPECT_NE(Keywords(PageRows("a.com", 1)), Keywords(PageRows("b.com", 1)));
}

TEST(SamplePagesTest, DomainIsEscapedWhereThePageShowsIt) {
  const std::string html = RankingPage("a\"<b>&.com", 1);
  EXPECT_EQ(html.find("a\"<b>"), std::string::npos);
  EXPECT_NE(html.find("a&quot;&lt;b&gt;&amp;.com"), std::string::npos);
}

// Every word list entry ends up in some page: a word GBK cannot hold, or one
// holding a byte that breaks the link, would show here.
TEST(SamplePagesTest, PagesOfManyDomainsConvertToGbkAndKeepKeywordsLinkSafe) {
  for (int i = 0; i < 300; ++i) {
    const std::string domain = "site" + std::to_string(i) + ".com";
    for (int page = 1; page <= PageCount(domain); ++page) {
      ASSERT_TRUE(ToGbk(RankingPage(domain, page)).has_value()) << domain << " page " << page;
      for (const RankingRow& row : PageRows(domain, page))
        ASSERT_EQ(row.keyword.find_first_of("/\"<>& \t\r\n"), std::string::npos)
            << domain << ": " << row.keyword;
    }
  }
}

TEST(SamplePagesTest, FurtherPagesRepeatTheLastKeywordOfThePageBefore) {
  ASSERT_GE(PageCount("pages12.test"), 2);
  for (int page = 2; page <= PageCount("pages12.test"); ++page)
    EXPECT_EQ(PageRows("pages12.test", page).front().keyword,
              PageRows("pages12.test", page - 1).back().keyword)
        << "page " << page;
}

TEST(SamplePagesTest, FaultBodiesBreakConversionOnlyWhereMeant) {
  static const struct {
    const char* name;
    std::string body;
    bool converts;
  } cases[] = {
      {"badutf8", BadUtf8Page(), false},
      {"nongbk", NonGbkPage(), false},
      {"unclosed", UnclosedLinkPage(), true},
      {"error500", ServerErrorPage(), true},
  };
  for (const auto& c : cases) EXPECT_EQ(ToGbk(c.body).has_value(), c.converts) << c.name;
}

TEST(SamplePagesTest, UnclosedLinkRunsIntoTheNextLink) {
  const std::vector<std::string> rows = Keywords(PageRows("unclosed.test", 1));
  const std::vector<std::string> candidates = LinkCandidates(UnclosedLinkPage());
  ASSERT_EQ(candidates.size(), rows.size() - 1);
  EXPECT_EQ(candidates[1], rows[1]);
  // The third link's candidate reaches through its markup into the fourth
  // link, whose prefix the program removes.
  EXPECT_EQ(candidates[2].rfind(rows[2] + "\" title=\"" + rows[2] + "\">", 0), 0u) << candidates[2];
  EXPECT_NE(candidates[2].find("href=\"" + rows[3]), std::string::npos) << candidates[2];
  EXPECT_EQ(candidates[3], rows[4]);
}

TEST(SamplePagesTest, LargePageReachesItsSizeWithAboutElevenHundredLinks) {
  const std::string page = LargeRankingPage(300 * 1024);
  EXPECT_GE(page.size(), 300u * 1024);
  EXPECT_LT(page.size(), 300u * 1024 + 1024);
  const std::size_t links = LinkCandidates(page).size();
  EXPECT_GT(links, 1000u);
  EXPECT_LT(links, 1200u);
  EXPECT_EQ(CountRankPages(page), 10 - 1);
  EXPECT_TRUE(ToGbk(page).has_value());
  EXPECT_EQ(page, LargeRankingPage(300 * 1024));
}

}  // namespace
