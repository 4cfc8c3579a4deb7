#include "harvest/ranking_page.h"

#include <gtest/gtest.h>

#include <boost/regex.hpp>
#include <string>

namespace {

// Keyword link and pager link as the ranking pages write them.
Text Link(const Text& keyword) {
  return "<a href=\"http://keyword.example.com/" + keyword + "/\">";
}
const Text kMarker = "<a href=\"http://rank.example.com/baidu/a.com/2/position/\">2</a>";

const Text kZhong = "\xD6\xD0";  // 中 in GBK
const Text kWen = "\xCE\xC4";    // 文 in GBK

TEST(ExtractKeywords, PagesGiveTheirKeywordsInOrder) {
  static const struct {
    const char* name;
    Text page;
    TextArray keywords;
  } cases[] = {
      {"one link", "<li>" + Link("seo") + "seo</a></li>", {"seo"}},
      {"chinese keyword", Link(kZhong + kWen), {kZhong + kWen}},
      {"escapes and entities stay", Link("%E4%B8%AD+a&amp;b c"), {"%E4%B8%AD+a&amp;b c"}},
      {"several segments", Link("a/b"), {"a/b"}},
      {"capitals in scheme and host",
       "<a href=\"HTTP://KEYWORD.Example.COM/SeoTool/\">",
       {"SeoTool"}},
      {"unclosed link runs to the next suffix across lines",
       "<a href=\"http://keyword.example.com/x/\" title=\"t\">x</a>\r\n" + Link("y") + "y</a>",
       {"x/\" title=\"t\">x</a>\r\n<a href=\"y"}},
      {"two links", Link("a1") + Link("b2"), {"a1", "b2"}},
      {"same link twice", Link("seo") + "\n" + Link("seo"), {"seo", "seo"}},
      {"empty candidate is dropped, the next link stays", Link("") + Link("seo"), {"seo"}},
      {"dots of the host are wildcards, the prefix stays",
       "<a href=\"http://keyword-example_com/seo/\">",
       {"http://keyword-example_com/seo"}},
      {"other host", "<a href=\"http://rank.example.com/seo/\">", {}},
      {"link without its closing suffix", "<a href=\"http://keyword.example.com/seo/\" >", {}},
      {"no links", "<html><body>nothing</body></html>", {}},
      {"empty page", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TextArray keywords = {"left over"};
    ExtractKeywords(c.page, keywords);
    EXPECT_EQ(keywords, c.keywords);
  }
}

// The filter drops exactly the empty text and the pieces of "com", ".cn",
// ".net", "www." and "http", ignoring ASCII case.
TEST(ExtractKeywords, FilterDropsPiecesOfTheFilterTexts) {
  static const char* const dropped[] = {
      ".",   "c",   "e",   "h",    "m",    "n",   "o",   "p",   "t",    "w",    ".c",
      ".n",  "cn",  "co",  "et",   "ht",   "ne",  "om",  "tp",  "tt",   "w.",   "ww",
      ".cn", ".ne", "com", "htt",  "net",  "ttp", "ww.", "www", ".net", "http", "www.",
      "CoM", ".CN", "NeT", "WwW.", "HTTP", "C",   "W",   "hT",
  };
  for (const char* candidate : dropped) {
    TextArray keywords;
    ExtractKeywords(Link(candidate), keywords);
    EXPECT_TRUE(keywords.empty()) << "candidate \"" << candidate << "\"";
  }
}

TEST(ExtractKeywords, FilterKeepsEverythingElse) {
  static const char* const kept[] = {
      "example.com", "www.name", "https", "http2", "comm", "xcom", "wwww", "a", "cm", ".com", "s",
  };
  for (const char* candidate : kept) {
    TextArray keywords;
    ExtractKeywords(Link(candidate), keywords);
    EXPECT_EQ(keywords, TextArray{candidate}) << "candidate \"" << candidate << "\"";
  }
}

TEST(CountRankPages, MarkersMinusOne) {
  static const struct {
    const char* name;
    Text page;
    int pages;
  } cases[] = {
      {"empty page", "", -1},
      {"no marker", Link("seo"), -1},
      {"one marker", kMarker, 0},
      {"three markers", kMarker + kMarker + "\r\n" + kMarker, 2},
      {"capital marker", "<a href=\"/baidu/a.com/2/POSITION/\">", 0},
      {"marker not closed", "<a href=\"/baidu/a.com/2/position/\" >", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CountRankPages(c.page), c.pages);
  }
  Text twelve;
  for (int i = 0; i < 12; ++i) twelve += kMarker;
  EXPECT_EQ(CountRankPages(twelve), 11);
}

// A ranking page's worth of keyword links, followed by `unclosed` keyword
// links whose suffix never comes: the page an attacker or a broken service
// could send.
Text AdversarialPage(int links, int unclosed) {
  Text page = "<html><body><ul>\r\n";
  for (int i = 0; i < links; ++i) {
    page += "<li>" + Link(kZhong + std::to_string(i) + kWen) + "k</a></li>\r\n";
  }
  for (int i = 0; i < unclosed; ++i) page += "<a href=\"http://keyword.example.com/k";
  return page;
}

// The keywords a search over the whole page gives: every match of the
// pattern with prefix and suffix cut off (the links above need no filter).
TextArray PlainSearch(const Text& page) {
  const boost::regex pattern("http://keyword.example.com/(.*?)/\">",
                             boost::regex::perl | boost::regex::icase);
  TextArray keywords;
  for (boost::sregex_iterator it(page.begin(), page.end(), pattern), last; it != last; ++it) {
    keywords.push_back((*it)[1].str());
  }
  return keywords;
}

TEST(ExtractKeywords, UnclosedLinksAtTheEndGiveThePlainSearchResult) {
  const Text small = AdversarialPage(500, 300);
  TextArray keywords;
  ExtractKeywords(small, keywords);
  ASSERT_EQ(keywords.size(), 500u);
  EXPECT_EQ(keywords, PlainSearch(small));

  // 1 MB ending in 20,000 unclosed links: the plain search would end in
  // Boost's complexity error after the 20,000 quadratic scans.
  const Text large = AdversarialPage(6000, 20000);
  ASSERT_GT(large.size(), 1000000u);
  ExtractKeywords(large, keywords);
  EXPECT_EQ(keywords, PlainSearch(AdversarialPage(6000, 0)));
}

}  // namespace
