// Number rendering, encoding conversion and GBK literals: the primitives that
// lean on the C library (number formatting, iconv).
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "text/gbk_literal.h"
#include "text/text.h"

namespace {

TEST(NumberToTextTest, Integers) {
  static const struct {
    int value;
    Text expected;
  } cases[] = {
      {0, "0"}, {-12, "-12"}, {1234, "1234"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), c.expected) << c.value;
}

TEST(NumberToTextTest, DoublesRenderAsPercentPoint13g) {
  static const struct {
    double value;
    Text expected;
  } cases[] = {
      {2.0, "2"},
      {10.0, "10"},
      {11.0, "11"},
      {0.5, "0.5"},
      {-2.5, "-2.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.3333333333333"},
      {9999999999999.0, "9999999999999"},
      {1e13, "1e+13"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), c.expected) << c.expected;
}

// Sets LC_NUMERIC to a locale whose decimal point is a comma, compiled by
// glibc's localedef into dir from a two-character definition (no locale
// package needed; glibc looks in LOCPATH on every setlocale). localedef warns
// about the categories left out and exits non-zero, but writes the locale.
// False when that locale cannot be made.
bool SetDecimalCommaLocale(const std::filesystem::path& dir) {
  std::ofstream(dir / "comma.map") << "<code_set_name> COMMA\n<escape_char> /\n"
                                      "CHARMAP\n<U002C> /x2c\n<U002E> /x2e\nEND CHARMAP\n";
  std::ofstream(dir / "comma.def") << "LC_NUMERIC\ndecimal_point \"<U002C>\"\n"
                                      "thousands_sep \"<U002E>\"\ngrouping 3\nEND LC_NUMERIC\n";
  const std::string compile =
      "cd '" + dir.string() + "' && localedef -c -i comma.def -f comma.map ./comma >/dev/null 2>&1";
  [[maybe_unused]] const int status = std::system(compile.c_str());
  setenv("LOCPATH", dir.c_str(), 1);
  const bool set = std::setlocale(LC_NUMERIC, "comma") != nullptr;
  unsetenv("LOCPATH");
  return set;
}

// Qt may set LC_NUMERIC from the environment; a decimal comma there must not
// reach the rendered numbers.
TEST(NumberToTextTest, IgnoresTheNumericLocale) {
  char dirTemplate[] = "/tmp/text_tests_locale_XXXXXX";
  ASSERT_NE(mkdtemp(dirTemplate), nullptr);
  const std::filesystem::path dir = dirTemplate;
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const bool commaLocale = SetDecimalCommaLocale(dir);
  const Text rendered = NumberToText(0.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
  std::filesystem::remove_all(dir);
  if (!commaLocale) GTEST_SKIP() << "localedef cannot make a decimal-comma locale here";
  EXPECT_EQ(rendered, "0.5");
}

// UTF-8 for 中文 and its GBK bytes.
const ByteSet kUtf8Chinese = {0xE4, 0xB8, 0xAD, 0xE6, 0x96, 0x87};
const ByteSet kGbkChinese = {0xD6, 0xD0, 0xCE, 0xC4};

ByteSet Concat(ByteSet a, const ByteSet& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ConvertEncodingTest, Converts) {
  const ByteSet ascii(1000, 'a');
  ByteSet utf32;
  for (size_t i = 0; i < ascii.size(); ++i) utf32.insert(utf32.end(), {0x00, 0x00, 0x00, 'a'});
  static const struct {
    const char* name;
    ByteSet input;
    Text from;
    Text to;
    ByteSet expected;
  } cases[] = {
      {"UTF-8 to GBK", kUtf8Chinese, "UTF-8", "GBK", kGbkChinese},
      {"GBK to UTF-8", kGbkChinese, "GBK", "UTF-8", kUtf8Chinese},
      {"empty input", {}, "UTF-8", "GBK", {}},
      {"zero bytes pass", {'a', 0x00, 'b'}, "UTF-8", "GBK", {'a', 0x00, 'b'}},
      {"emoji to GB18030", {0xF0, 0x9F, 0x98, 0x80}, "UTF-8", "GB18030", {0x94, 0x39, 0xFC, 0x36}},
      {"output four times the input grows the space", ascii, "UTF-8", "UTF-32BE", utf32},
      // ISO-2022-JP ends with an escape back to ASCII that the converter
      // writes only when flushed.
      {"closing shift sequence",
       {0xE6, 0x97, 0xA5},
       "UTF-8",
       "ISO-2022-JP",
       {0x1B, 0x24, 0x42, 0x46, 0x7C, 0x1B, 0x28, 0x42}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool success = false;
    EXPECT_EQ(ConvertEncoding(c.input, c.from, c.to, &success), c.expected);
    EXPECT_TRUE(success);
  }
}

TEST(ConvertEncodingTest, FailsAsAWhole) {
  const ByteSet invalidByte = {0xFF};
  const ByteSet emoji = {0xF0, 0x9F, 0x98, 0x80};
  const ByteSet truncated = {0xE4, 0xB8};
  static const struct {
    const char* name;
    ByteSet input;
    Text from;
    Text to;
  } cases[] = {
      {"invalid byte", Concat(kUtf8Chinese, Concat(invalidByte, kUtf8Chinese)), "UTF-8", "GBK"},
      {"character outside GBK", Concat(kUtf8Chinese, emoji), "UTF-8", "GBK"},
      {"ends inside a character", Concat(kUtf8Chinese, truncated), "UTF-8", "GBK"},
      {"fault after much good input", Concat(ByteSet(100000, 'a'), invalidByte), "UTF-8", "GBK"},
      {"unknown source name", kUtf8Chinese, "NO-SUCH-CODE", "GBK"},
      {"unknown target name", kUtf8Chinese, "UTF-8", "NO-SUCH-CODE"},
      {"unknown name, empty input", {}, "UTF-8", "NO-SUCH-CODE"},
      {"empty name", kUtf8Chinese, "", "GBK"},
      {"transliteration suffix", Concat(kUtf8Chinese, emoji), "UTF-8", "GBK//TRANSLIT"},
      {"skipping suffix", Concat(kUtf8Chinese, emoji), "UTF-8", "GBK//IGNORE"},
      {"suffix on a plain input", kUtf8Chinese, "UTF-8", "GBK//TRANSLIT"},
      {"name with a zero byte", kUtf8Chinese, "UTF-8", Text("GBK\0X", 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool success = true;
    EXPECT_EQ(ConvertEncoding(c.input, c.from, c.to, &success), ByteSet());
    EXPECT_FALSE(success);
    EXPECT_EQ(ConvertEncoding(c.input, c.from, c.to), ByteSet()) << "without a flag";
  }
}

TEST(GbkLiteralTest, ConvertsUtf8Source) {
  EXPECT_EQ(Gbk("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Gbk("提示："), "\xCC\xE1\xCA\xBE\xA3\xBA");
  EXPECT_EQ(Gbk(""), "");
}

TEST(GbkLiteralDeathTest, StopsOnTextGbkCannotHold) {
  EXPECT_DEATH(Gbk("😀"), "no exact GBK form");
  EXPECT_DEATH(Gbk(std::string_view("a\0b", 3)), "no exact GBK form");
}

}  // namespace
