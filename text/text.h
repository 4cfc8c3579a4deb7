// Text, number, byte-set, text-array and encoding primitives.
//
// A Text is a sequence of GBK bytes (code page 936) that never holds a zero
// byte. A byte 0x00-0x7F is a one-byte character; any byte 0x80-0xFF starts a
// two-byte character together with the byte after it, so the searching,
// splitting, replacing, trimming and upper-casing primitives step over
// characters and never match at a second byte. A lead byte that is the last
// byte of a text is "dangling". Positions are 1-based byte positions and -1
// means "not found"; lengths and counts are byte counts. Letter case means
// the ASCII letters only and never depends on the locale. Blanks are the ASCII
// space and the full-width space (0xA1 0xA1).
//
// No primitive reports an error: every argument value has a defined result.
// None holds state; all are safe to call from any thread.
#ifndef RUZIDUZ_TEXT_TEXT_H_
#define RUZIDUZ_TEXT_TEXT_H_

#include <optional>
#include <string>
#include <vector>

using Text = std::string;  // GBK bytes, never a zero byte
using ByteSet = std::vector<unsigned char>;
using TextArray = std::vector<Text>;  // element i of a text array is [i - 1]

// Number of bytes.
int TextLength(const Text& text);

// The first (last) min(n, length) bytes; the empty text for n <= 0. Works on
// bytes alone and may cut a two-byte character in half.
Text LeftText(const Text& text, int n);
Text RightText(const Text& text, int n);

// 1-based position (counted from the haystack's first byte) of the first
// occurrence of needle at a character start at or after byte position start,
// or -1. start <= 1 searches from the first byte; the bytes before start are
// skipped as bytes and characters are counted from there. An empty needle
// gives 1 when the searched part is not empty, else -1. ignoreCase folds the
// ASCII letters of every compared byte, second bytes included.
int FindText(const Text& haystack, const Text& needle, int start = 1, bool ignoreCase = false);

// Pieces of text between occurrences of delimiter (exact match at character
// starts). Two delimiters in a row give an empty piece; a final delimiter gives
// none. The empty text or a limit <= 0 gives no piece; the empty delimiter
// gives the whole text. With a limit, at most that many pieces, the rest being
// discarded. A dangling byte at the end stays in the last piece.
TextArray SplitText(const Text& text, const Text& delimiter = ",",
                    std::optional<int> limit = std::nullopt);

// Replaces non-overlapping occurrences of target, left to right from byte
// position start, by replacement; count < 0 replaces all of them. ASCII case
// is ignored unless caseSensitive; the replacement is never searched. Bytes
// before start pass unchanged. An empty text or target, a start past the end
// or a count of 0 give the text unchanged. A dangling byte at the end that
// the scan reaches while the target still fits (a one-byte target) is dropped;
// otherwise it passes unchanged.
Text ReplaceText(const Text& text, const Text& target, const Text& replacement = "", int start = 1,
                 int count = -1, bool caseSensitive = false);

// Removes leading and trailing blanks (ASCII and full-width spaces only; tab,
// CR and LF stay). A dangling byte at the end is removed as well, and the
// blanks before it then stay.
Text TrimBoth(const Text& text);

// a-z become A-Z in one-byte characters; two-byte characters (and a dangling
// byte) pass unchanged, even where a second byte lies in a-z.
Text ToUpper(const Text& text);

// Byte-wise unsigned comparison: -1, 0 or 1; a prefix is the smaller.
int CompareText(const Text& a, const Text& b);

// The texts one after another.
template <class... Texts>
Text ConcatText(const Texts&... texts) {
  Text joined;
  (joined.append(texts), ...);
  return joined;
}

// Decimal rendering: integers plainly ("-12"); doubles as "%.13g" does in the
// C locale ("2", "0.5", "1e+13"), whatever the process's locale.
Text NumberToText(int value);
Text NumberToText(double value);

// The bytes before the first zero byte.
Text BytesToText(const ByteSet& bytes);

// The text's bytes, without a terminator.
ByteSet TextToBytes(const Text& text);

// Converts input between two encodings named as iconv names them ("UTF-8",
// "GBK", "GB18030"). All or nothing: an invalid or truncated input, a
// character the target cannot hold, or a name iconv does not know gives the
// empty byte set and *success false; so does an empty name or one with a
// "//" suffix, which would let iconv pick the locale's set or substitute and
// skip characters. The empty input gives the empty byte set and *success
// true. success may be null; the converter is always closed on return.
ByteSet ConvertEncoding(const ByteSet& input, const Text& from, const Text& to,
                        bool* success = nullptr);

#endif  // RUZIDUZ_TEXT_TEXT_H_
