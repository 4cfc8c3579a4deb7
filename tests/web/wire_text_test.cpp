// GBK 中文 is D6 D0 CE C4, UTF-8 中文 is E4 B8 AD E6 96 87; the emoji U+1F600
// is F0 9F 98 80 in UTF-8 and 94 39 FC 36 in GB18030; é is E9 in ISO-8859-1
// and A8 A6 in GBK.
#include <gtest/gtest.h>

#include "web/wire_text.h"

namespace {

TEST(PercentEncodeUrlTest, Table) {
  static const struct {
    const char* name;
    std::string url;
    std::string expected;
  } cases[] = {
      {"plain address unchanged", "http://rank.example.com/baidu/a.com/",
       "http://rank.example.com/baidu/a.com/"},
      {"non-ASCII path", "http://h/baidu/\xE4\xB8\xAD\xE6\x96\x87/",
       "http://h/baidu/%E4%B8%AD%E6%96%87/"},
      {"non-ASCII query", "http://h/s?q=\xE4\xB8\xAD", "http://h/s?q=%E4%B8%AD"},
      {"space", "http://h/a b", "http://h/a%20b"},
      {"control bytes", "http://h/a\tb\rc\nd\x01", "http://h/a%09b%0Dc%0Ad%01"},
      {"DEL", "http://h/a\x7F", "http://h/a%7F"},
      {"quote and angle brackets", "http://h/\"<x>\"", "http://h/%22%3Cx%3E%22"},
      {"encoded bytes not encoded twice", "http://h/%E4%B8%AD", "http://h/%E4%B8%AD"},
      {"lone percent kept", "http://h/100%", "http://h/100%"},
      {"reserved marks kept", "http://h/p;a=1,b?x=1&y=a+b#f!$'()*[]@:~",
       "http://h/p;a=1,b?x=1&y=a+b#f!$'()*[]@:~"},
      {"host left alone", "http://\xE4\xB8\xAD.cn/a b", "http://\xE4\xB8\xAD.cn/a%20b"},
      {"query right after the host", "http://h?q=a b", "http://h?q=a%20b"},
      {"no path", "http://h", "http://h"},
      {"no scheme", "h/a b", "h/a%20b"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PercentEncodeUrl(c.url), c.expected) << c.name;
  }
}

TEST(TextToWireTest, Table) {
  static const struct {
    const char* name;
    Text text;
    std::optional<std::string> expected;
  } cases[] = {
      {"ASCII", "Accept: */*", "Accept: */*"},
      {"GBK", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"GB18030 four-byte sequence", "\x94\x39\xFC\x36", "\xF0\x9F\x98\x80"},
      {"empty", "", ""},
      {"dangling lead byte", "ab\xD6", std::nullopt},
      {"lead byte no encoding knows", "\xFF\xFF", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToWire(c.text), c.expected) << c.name;
  }
}

TEST(WireToTextTest, Table) {
  static const struct {
    const char* name;
    std::string line;
    Text expected;
  } cases[] = {
      {"ASCII", "Location: /next", "Location: /next"},
      {"UTF-8", "X-Name: \xE4\xB8\xAD\xE6\x96\x87", "X-Name: \xD6\xD0\xCE\xC4"},
      {"outside GBK kept as GB18030", "X-E: \xF0\x9F\x98\x80", "X-E: \x94\x39\xFC\x36"},
      {"not UTF-8 read as ISO-8859-1", "X-L: caf\xE9", "X-L: caf\xA8\xA6"},
      {"zero byte dropped", std::string("a\0b", 3), "ab"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WireToText(c.line), c.expected) << c.name;
  }
}

}  // namespace
