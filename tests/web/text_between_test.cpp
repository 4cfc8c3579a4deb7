// Texts are GBK bytes; "#\xD2\xFD\xBA\xC5" is the quote placeholder #引号 and
// \xD6\xD0 is 中.
#include <gtest/gtest.h>

#include "web/text_between.h"

namespace {

constexpr char kQuotePlaceholder[] = "#\xD2\xFD\xBA\xC5";

TEST(TextBetweenTest, Table) {
  static const struct {
    const char* name;
    Text source;
    Text startMarker;
    Text endMarker;
    int startPosition;
    bool caseSensitive;
    Text expected;
  } cases[] = {
      {"cookie keeps its leading blank", "Set-Cookie: a=1; path=/", "Set-Cookie:", ";", 0, false,
       " a=1"},
      {"marker case ignored", "SET-COOKIE: x=1;", "Set-Cookie:", ";", 0, false, " x=1"},
      {"marker case kept", "SET-COOKIE: x=1;", "Set-Cookie:", ";", 0, true, ""},
      {"end marker only before the start marker", "a;Set-Cookie: b", "Set-Cookie:", ";", 0, false,
       ""},
      {"no end marker", "Set-Cookie: c=3", "Set-Cookie:", ";", 0, false, ""},
      {"no start marker", "Cookie: c=3;", "Set-Cookie:", ";", 0, false, ""},
      {"start marker at the very end", "abc(", "(", ")", 0, false, ""},
      {"empty end marker", "(a)", "(", "", 0, false, ""},
      {"empty start marker matches at the first byte", "ab;c;", "", ";", 0, false, "ab"},
      {"empty source", "", "(", ")", 0, false, ""},
      {"start position omitted", "xx(a)b)", "(", ")", 0, false, "a"},
      {"start position 1", "xx(a)b)", "(", ")", 1, false, "a"},
      {"end searched in the rest from the same position", "xx(a)b)", "(", ")", 3, false, "a)b"},
      {"start marker before the start position", "xx(a)b)", "(", ")", 4, false, ""},
      {"negative start position", "xx(a)b)", "(", ")", -7, false, "a"},
      {"marker never matches a second byte", "\xD6(x)(y)", "(", ")", 0, false, "y"},
      {"two-byte characters between the markers", "<\xD6\xD0>", "<", ">", 0, false, "\xD6\xD0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Text startMarker = c.startMarker;
    Text endMarker = c.endMarker;
    EXPECT_EQ(TextBetween(c.source, startMarker, endMarker, c.startPosition, c.caseSensitive),
              c.expected);
    EXPECT_EQ(startMarker, c.startMarker);
    EXPECT_EQ(endMarker, c.endMarker);
  }
}

TEST(TextBetweenTest, DefaultsAreStartOneAndCaseIgnored) {
  Text startMarker = "set-cookie:";
  Text endMarker = ";";
  EXPECT_EQ(TextBetween("Set-Cookie: a=1;", startMarker, endMarker), " a=1");
}

TEST(TextBetweenTest, QuotePlaceholderIsReplacedAndWrittenBack) {
  Text startMarker = Text("id=") + kQuotePlaceholder;
  Text endMarker = kQuotePlaceholder;
  EXPECT_EQ(TextBetween("id=\"42\"", startMarker, endMarker), "42");
  EXPECT_EQ(startMarker, "id=\"");
  EXPECT_EQ(endMarker, "\"");
}

TEST(TextBetweenTest, EveryQuotePlaceholderIsReplacedButNoOtherCase) {
  Text startMarker = Text(kQuotePlaceholder) + "a" + kQuotePlaceholder;
  Text endMarker = "#\xD2\xFD";  // only the first character of the placeholder
  EXPECT_EQ(TextBetween("x\"a\"y#\xD2\xFDz", startMarker, endMarker), "y");
  EXPECT_EQ(startMarker, "\"a\"");
  EXPECT_EQ(endMarker, "#\xD2\xFD");
}

}  // namespace
