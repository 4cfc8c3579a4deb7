// Texts are GBK bytes. Two-byte characters are written as escapes; a string
// is split after an escape ("\x81\x61" "b") where the next byte is a hex digit.
// 啊 is B0 A1, 阿 is B0 A2, 中 is D6 D0, 文 is CE C4, the full-width space is
// A1 A1; 0x81 0x61 is a two-byte character whose second byte is 'a'.
#include <gtest/gtest.h>

#include <climits>

#include "text/text.h"

namespace {

TEST(TextLengthTest, CountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("\xD6\xD0\xCE\xC4"), 4);
}

TEST(LeftRightTextTest, Table) {
  static const struct {
    const char* name;
    Text text;
    int n;
    Text left;
    Text right;
  } cases[] = {
      {"zero", "abc", 0, "", ""},
      {"negative", "abc", -1, "", ""},
      {"most negative", "abc", INT_MIN, "", ""},
      {"inside", "abcdef", 3, "abc", "def"},
      {"past the end", "abc", 5, "abc", "abc"},
      {"empty text", "", 2, "", ""},
      {"cuts a two-byte character", "\xD6\xD0\xCE\xC4", 1, "\xD6", "\xC4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LeftText(c.text, c.n), c.left);
    EXPECT_EQ(RightText(c.text, c.n), c.right);
  }
}

TEST(FindTextTest, Table) {
  static const struct {
    const char* name;
    Text haystack;
    Text needle;
    int start;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"first occurrence", "abcabc", "c", 1, false, 3},
      {"from a later start", "abcabc", "c", 4, false, 6},
      {"start past the end", "abcabc", "c", 7, false, -1},
      {"start 0 searches from the first byte", "abcabc", "c", 0, false, 3},
      {"negative start", "abcabc", "c", -3, false, 3},
      {"most negative start", "abcabc", "c", INT_MIN, false, 3},
      {"largest start", "abcabc", "c", INT_MAX, false, -1},
      {"empty needle", "abc", "", 1, false, 1},
      {"empty needle gives 1 whatever the start", "abc", "", 3, false, 1},
      {"empty needle past the end", "abc", "", 4, false, -1},
      {"empty needle in empty text", "", "", 1, false, -1},
      {"needle in empty text", "", "a", 1, false, -1},
      {"ignore case", "com", "CO", 1, true, 1},
      {"case matters by default", "com", "CO", 1, false, -1},
      {"needle longer than haystack", "com", "xcom", 1, true, -1},
      {"needle at the very end", "abc", "bc", 1, false, 2},
      {"match across two characters", "\xB0\xA1\xB0\xA2", "\xA1\xB0", 1, false, -1},
      {"two-byte needle", "a\xB0\xA1\xB0\xA2", "\xB0\xA2", 1, false, 4},
      {"start inside a character re-anchors the walk", "\xB0\xA1\xB0\xA2", "\xA1\xB0", 2, false, 2},
      {"dangling byte at the end", "ab\xB0", "x", 1, false, -1},
      {"dangling byte itself matches", "ab\xB0", "\xB0", 1, false, 3},
      {"letter as second byte",
       "\x81\x61"
       "a",
       "a", 1, false, 3},
      {"letter as second byte, ignoring case",
       "\x81\x41"
       "a",
       "a", 1, true, 3},
      {"only second bytes hold the letter", "\x81\x61\x81\x61", "a", 1, true, -1},
      {"second bytes fold too", "\x81\x61", "\x81\x41", 1, true, 1},
      {"second bytes do not fold by default", "\x81\x61", "\x81\x41", 1, false, -1},
      {"0x80 starts a two-byte character",
       "\x80"
       "aa",
       "a", 1, false, 3},
      {"0xFF starts a two-byte character",
       "\xFF"
       "ab",
       "a", 1, false, -1},
      {"rejected byte matches before a real one",
       "\xB0\x61\xB0\x61"
       "a",
       "a", 1, false, 5},
      {"only ASCII letters fold", "\xC0", "\xE0", 1, true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.haystack, c.needle, c.start, c.ignoreCase), c.expected);
  }
}

TEST(FindTextTest, Defaults) {
  EXPECT_EQ(FindText("abcabc", "c"), 3);
  EXPECT_EQ(FindText("C", "c"), -1);
}

TEST(SplitTextTest, Table) {
  static const struct {
    const char* name;
    Text text;
    Text delimiter;
    std::optional<int> limit;
    TextArray expected;
  } cases[] = {
      {"empty line between", "a\r\n\r\nb", "\r\n", {}, {"a", "", "b"}},
      {"final delimiter adds nothing", "a\r\nb\r\n", "\r\n", {}, {"a", "b"}},
      {"delimiter alone", "\r\n", "\r\n", {}, {""}},
      {"empty text", "", "\r\n", {}, {}},
      {"empty text and delimiter", "", "", {}, {}},
      {"leading delimiter", ",a", ",", {}, {"", "a"}},
      {"header name", "Name:", ":", {}, {"Name"}},
      {"every colon", "Referer: a:b", ":", {}, {"Referer", " a", "b"}},
      {"limit", "a,b,c", ",", 2, {"a", "b"}},
      {"limit reached on the last delimiter", "a,b,", ",", 2, {"a", "b"}},
      {"limit above the count", "a,b", ",", 5, {"a", "b"}},
      {"limit 0", "a,b,c", ",", 0, {}},
      {"negative limit", "a,b,c", ",", -1, {}},
      {"empty delimiter", "a,b,c", "", {}, {"a,b,c"}},
      {"no delimiter", "abc", ",", {}, {"abc"}},
      {"delimiter as second byte", "\x81|a|b", "|", {}, {"\x81|a", "b"}},
      {"delimiter across two characters", "\xB0\xA1\xB0\xA2", "\xA1\xB0", {}, {"\xB0\xA1\xB0\xA2"}},
      {"two-byte delimiter",
       "a\xA1\xA1"
       "b",
       "\xA1\xA1",
       {},
       {"a", "b"}},
      {"dangling byte stays in the last piece", "a,\xB0", ",", {}, {"a", "\xB0"}},
      {"dangling byte as delimiter", "a\xB0", "\xB0", {}, {"a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SplitText(c.text, c.delimiter, c.limit), c.expected);
  }
}

TEST(SplitTextTest, DefaultsSplitAtEveryComma) {
  EXPECT_EQ(SplitText("a,b,c"), (TextArray{"a", "b", "c"}));
}

TEST(ReplaceTextTest, Table) {
  static const struct {
    const char* name;
    Text text;
    Text target;
    Text replacement;
    int start;
    int count;
    bool caseSensitive;
    Text expected;
  } cases[] = {
      {"every occurrence, ignoring case", "aXbxc", "x", "-", 1, -1, false, "a-b-c"},
      {"case-sensitive", "aXbxc", "x", "-", 1, -1, true, "aXb-c"},
      {"count 1", "aXbxc", "x", "-", 1, 1, false, "a-bxc"},
      {"count 2", "xxxx", "x", "-", 1, 2, true, "--xx"},
      {"negative count replaces all", "xxx", "x", "-", 1, -5, true, "---"},
      {"from start 3", "aXbxc", "x", "-", 3, -1, false, "aXb-c"},
      {"negative start", "aXbxc", "x", "-", -4, -1, false, "a-b-c"},
      {"non-overlapping, left to right", "aaa", "aa", "b", 1, -1, false, "ba"},
      {"replacement is not searched again", "aa", "a", "aa", 1, -1, true, "aaaa"},
      {"removal", "Location: /p", "location:", "", 1, 1, false, " /p"},
      {"empty target", "abc", "", "-", 1, -1, false, "abc"},
      {"empty text", "", "x", "-", 1, -1, false, ""},
      {"start past the end", "abc", "c", "-", 4, -1, false, "abc"},
      {"start at the last byte", "abc", "c", "-", 3, -1, false, "ab-"},
      {"count 0", "abc", "b", "-", 1, 0, false, "abc"},
      {"target longer than text", "ab", "abc", "-", 1, -1, false, "ab"},
      {"dangling byte dropped when reached", "ab\xB0", "x", "", 1, -1, true, "ab"},
      {"dangling byte kept when target no longer fits", "ab\xB0", "xy", "", 1, -1, true, "ab\xB0"},
      {"dangling byte kept after the last counted replacement", "x\xB0", "x", "-", 1, 1, true,
       "-\xB0"},
      {"dangling byte as target", "ab\xB0", "\xB0", "-", 1, -1, true, "ab-"},
      {"letter as second byte",
       "\x81x"
       "x",
       "x", "-", 1, -1, true, "\x81x-"},
      {"letter as second byte, ignoring case",
       "\x81X"
       "x",
       "x", "-", 1, -1, false, "\x81X-"},
      {"match across two characters", "\xB0\xA1\xB0\xA2", "\xA1\xB0", "-", 1, -1, true,
       "\xB0\xA1\xB0\xA2"},
      {"two-byte target", "\xD6\xD0\xCE\xC4\xD6\xD0", "\xD6\xD0", "x", 1, -1, true, "x\xCE\xC4x"},
      {"start inside a character passes bytes before it",
       "\xB0x"
       "x",
       "x", "-", 2, -1, true, "\xB0--"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceText(c.text, c.target, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected);
  }
}

TEST(ReplaceTextTest, DefaultsRemoveEveryOccurrenceIgnoringCase) {
  EXPECT_EQ(ReplaceText("aXbxc", "x"), "abc");
}

TEST(TrimBothTest, Table) {
  static const struct {
    const char* name;
    Text text;
    Text expected;
  } cases[] = {
      {"ASCII spaces", "  a b  ", "a b"},
      {"full-width spaces",
       "\xA1\xA1"
       "a\xA1\xA1"
       "b\xA1\xA1\xA1\xA1",
       "a\xA1\xA1"
       "b"},
      {"mixed blanks", " \xA1\xA1 a \xA1\xA1", "a"},
      {"tab and line breaks are not blanks", "\ta\r\n", "\ta\r\n"},
      {"blanks only", " \xA1\xA1  ", ""},
      {"empty", "", ""},
      {"dangling byte cut, blanks before it kept", "ab  \xB0", "ab  "},
      {"dangling byte alone", "\xA1", ""},
      {"half a full-width space is a dangling byte", "a \xA1", "a "},
      {"space as second byte", "\x81 ", "\x81 "},
      {"A1 A1 across two characters",
       "\xB0\xA1\xA1"
       "a",
       "\xB0\xA1\xA1"
       "a"},
      {"full-width space after a two-byte character", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TrimBoth(c.text), c.expected);
  }
}

TEST(ToUpperTest, Table) {
  static const struct {
    const char* name;
    Text text;
    Text expected;
  } cases[] = {
      {"ASCII letters", "get", "GET"},
      {"other bytes unchanged", "a1-z{`@Z", "A1-Z{`@Z"},
      {"letter as second byte", "\x81\x61", "\x81\x61"},
      {"after a two-byte character",
       "a\xB0\x61"
       "b",
       "A\xB0\x61"
       "B"},
      {"0x80 and 0xFF lead bytes",
       "\x80\x61\xFF\x62"
       "c",
       "\x80\x61\xFF\x62"
       "C"},
      {"dangling byte", "a\xE1", "A\xE1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToUpper(c.text), c.expected);
  }
}

TEST(CompareTextTest, Table) {
  static const struct {
    const char* name;
    Text a;
    Text b;
    int expected;
  } cases[] = {
      {"both empty", "", "", 0},
      {"equal", "GET", "GET", 0},
      {"smaller byte", "a", "b", -1},
      {"longer is larger", "ab", "a", 1},
      {"empty is smallest", "", "a", -1},
      {"case-sensitive", "A", "a", -1},
      {"bytes are unsigned", "\x80", "a", 1},
      {"second byte decides", "\xB0\xA1", "\xB0\xA2", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompareText(c.a, c.b), c.expected);
  }
}

TEST(ConcatTextTest, JoinsInOrder) {
  EXPECT_EQ(ConcatText(Text("a"), Text(""), Text("\xD6\xD0")), "a\xD6\xD0");
}

TEST(BytesTextTest, Table) {
  static const struct {
    const char* name;
    ByteSet bytes;
    Text text;
  } toText[] = {
      {"ends at the first zero byte", {0x41, 0x00, 0x42}, "A"},
      {"leading zero byte", {0x00, 0x41}, ""},
      {"no zero byte", {0x41, 0xD6, 0xD0}, "A\xD6\xD0"},
      {"empty", {}, ""},
  };
  for (const auto& c : toText) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BytesToText(c.bytes), c.text);
  }
  EXPECT_EQ(TextToBytes("AB"), (ByteSet{0x41, 0x42}));
  EXPECT_EQ(TextToBytes("\xD6\xD0"), (ByteSet{0xD6, 0xD0}));
  EXPECT_EQ(TextToBytes(""), ByteSet());
}

}  // namespace
