#include "text/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string_view>

namespace {

constexpr size_t kNone = std::string_view::npos;

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Width of the character that starts at offset: a byte 0x80-0xFF begins a
// two-byte character even when GBK never uses it as a lead byte (0x80, 0xFF),
// so every byte sequence walks the same way. A dangling lead byte at the very
// end still counts 2, which carries a walk past the end; walks test p < size.
size_t CharWidth(std::string_view text, size_t offset) { return IsLeadByte(text[offset]) ? 2 : 1; }

// ASCII-only folding. The <cctype> functions consult the C locale, which Qt
// may change, and in some locales they map bytes 0x80-0xFF as well; GBK second
// bytes must never change that way.
char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Offset of the first occurrence of a non-empty needle at or after from (at
// most text's size), at any byte, or kNone. Whether it lies at a character
// start is decided by the caller.
size_t FindBytes(std::string_view text, std::string_view needle, size_t from, bool foldCase) {
  if (!foldCase) return text.find(needle, from);
  const auto found = std::search(text.begin() + from, text.end(), needle.begin(), needle.end(),
                                 [](char x, char y) { return FoldLower(x) == FoldLower(y); });
  return found == text.end() ? kNone : static_cast<size_t>(found - text.begin());
}

// Whether offset is a character start, given knownStart <= offset that is
// one. Every byte 0x00-0x7F ends a character (a one-byte one, or the second
// byte of a two-byte one), so only the bytes 0x80-0xFF after the last such
// byte need looking at: from there they pair up into two-byte characters.
// This looks back over a run of two-byte characters instead of walking
// forward from knownStart.
bool IsCharStart(std::string_view text, size_t knownStart, size_t offset) {
  size_t runStart = offset;
  while (runStart > knownStart && IsLeadByte(text[runStart - 1])) --runStart;
  return (offset - runStart) % 2 == 0;
}

// Offset of the first occurrence of a non-empty needle that begins at a
// character start, counting characters from from (itself a character start),
// or kNone. Byte matches are found first and then checked to begin at a
// character start; a match that begins at a second byte is skipped. Each
// check looks back no further than the previous one, so the text is read
// once.
size_t FindAtCharStart(std::string_view text, std::string_view needle, size_t from, bool foldCase) {
  size_t knownStart = from;
  size_t candidate = from;
  while ((candidate = FindBytes(text, needle, candidate, foldCase)) != kNone) {
    if (IsCharStart(text, knownStart, candidate)) return candidate;
    knownStart = candidate + 1;  // the candidate was a second byte
    candidate = knownStart;
  }
  return kNone;
}

// Whether the character walk from from lands on a dangling lead byte.
bool WalkEndsOnDanglingByte(std::string_view text, size_t from) {
  return from < text.size() && IsLeadByte(text.back()) && IsCharStart(text, from, text.size() - 1);
}

// Byte offset start - 1 for a 1-based start, 0 for any start of 1 or less.
size_t StartOffset(int start) { return start > 1 ? static_cast<size_t>(start) - 1 : 0; }

bool IsBlankAt(std::string_view text, size_t p) {
  return text[p] == ' ' || (text.substr(p, 2) == "\xA1\xA1");
}

size_t BlankWidth(std::string_view text, size_t p) { return text[p] == ' ' ? 1 : 2; }

}  // namespace

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

Text LeftText(const Text& text, int n) {
  if (n <= 0) return Text();
  return text.substr(0, std::min(static_cast<size_t>(n), text.size()));
}

Text RightText(const Text& text, int n) {
  if (n <= 0) return Text();
  const size_t keep = std::min(static_cast<size_t>(n), text.size());
  return text.substr(text.size() - keep);
}

int FindText(const Text& haystack, const Text& needle, int start, bool ignoreCase) {
  const size_t from = StartOffset(start);
  if (from >= haystack.size()) return -1;
  if (needle.empty()) return 1;
  const size_t found = FindAtCharStart(haystack, needle, from, ignoreCase);
  return found == kNone ? -1 : static_cast<int>(found) + 1;
}

TextArray SplitText(const Text& text, const Text& delimiter, std::optional<int> limit) {
  TextArray pieces;
  if (text.empty() || (limit && *limit <= 0)) return pieces;
  if (delimiter.empty()) return {text};
  const std::string_view view(text);
  size_t pieceStart = 0;
  size_t found;
  while ((found = FindAtCharStart(view, delimiter, pieceStart, false)) != kNone) {
    pieces.emplace_back(view.substr(pieceStart, found - pieceStart));
    pieceStart = found + delimiter.size();
    if (limit && pieces.size() == static_cast<size_t>(*limit)) return pieces;
  }
  // The rest keeps a dangling byte: the scan stops there, the piece does not.
  if (pieceStart < view.size()) pieces.emplace_back(view.substr(pieceStart));
  return pieces;
}

Text ReplaceText(const Text& text, const Text& target, const Text& replacement, int start,
                 int count, bool caseSensitive) {
  const size_t from = StartOffset(start);
  if (text.empty() || target.empty() || from >= text.size() || count == 0) return text;
  const std::string_view view(text);
  Text result;
  result.reserve(text.size());
  result.append(view.substr(0, from));  // bytes before start pass as bytes
  size_t p = from;
  int replaced = 0;
  size_t found;
  while ((found = FindAtCharStart(view, target, p, !caseSensitive)) != kNone) {
    result.append(view.substr(p, found - p));
    result.append(replacement);
    p = found + target.size();
    if (++replaced == count) {
      result.append(view.substr(p));
      return result;
    }
  }
  // No further occurrence. The scan copies characters while the target still
  // fits; a dangling byte it reaches that way is dropped and ends the scan.
  // Once fewer bytes remain than the target has, the rest passes unchanged.
  size_t end = view.size();
  if (target.size() == 1 && WalkEndsOnDanglingByte(view, p)) --end;
  if (p < end) result.append(view.substr(p, end - p));
  return result;
}

Text TrimBoth(const Text& text) {
  const std::string_view view(text);
  size_t begin = 0;
  while (begin < view.size() && IsBlankAt(view, begin)) begin += BlankWidth(view, begin);
  size_t end = view.size();
  size_t blankRun = kNone;  // where the current run of trailing blanks began
  for (size_t p = begin; p < view.size();) {
    if (p == view.size() - 1 && IsLeadByte(view[p])) {
      // A dangling byte is cut; the blanks before it are not trailing then.
      blankRun = p;
      break;
    }
    if (IsBlankAt(view, p)) {
      if (blankRun == kNone) blankRun = p;
      p += BlankWidth(view, p);
    } else {
      blankRun = kNone;
      p += CharWidth(view, p);
    }
  }
  if (blankRun != kNone) end = blankRun;
  return Text(view.substr(begin, end - begin));
}

Text ToUpper(const Text& text) {
  Text upper(text);
  for (size_t p = 0; p < upper.size(); p += CharWidth(upper, p)) upper[p] = FoldUpper(upper[p]);
  return upper;
}

int CompareText(const Text& a, const Text& b) {
  // char_traits<char> compares bytes as unsigned char, as memcmp does.
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

Text NumberToText(int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return Text(digits, result.ptr);
}

// std::to_chars with a precision renders as printf's "%.13g" does in the C
// locale, whatever LC_NUMERIC the process runs under (Qt may set it, and
// snprintf would then write a decimal comma).
Text NumberToText(double value) {
  char digits[64];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 13);
  return Text(digits, result.ptr);
}

Text BytesToText(const ByteSet& bytes) {
  // Seen as chars, the bytes are searched and copied a block at a time
  // (memchr, memcpy) rather than one unsigned char at a time: pages run to
  // hundreds of kilobytes.
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return Text(view.substr(0, view.find('\0')));
}

ByteSet TextToBytes(const Text& text) { return ByteSet(text.begin(), text.end()); }

namespace {

// Converts input through an open converter, all or nothing. The output space
// starts at the input's length and grows by half of it plus 128 bytes each
// time the converter reports it full, at most kMaxGrowths times.
std::optional<ByteSet> ConvertAll(iconv_t converter, const ByteSet& input) {
  constexpr int kMaxGrowths = 11;
  const size_t growth = input.size() / 2 + 128;
  ByteSet output(input.size());
  // iconv takes char** but does not write through the input pointer.
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(input.data()));
  size_t inLeft = input.size();
  size_t written = 0;
  int growths = 0;
  bool inputDone = false;
  for (;;) {
    char* out = reinterpret_cast<char*>(output.data()) + written;
    size_t outLeft = output.size() - written;
    // After the input, a call without input writes the converter's closing
    // shift sequence, if the target encoding has one.
    const size_t status = inputDone ? iconv(converter, nullptr, nullptr, &out, &outLeft)
                                    : iconv(converter, &in, &inLeft, &out, &outLeft);
    written = output.size() - outLeft;
    if (status == static_cast<size_t>(-1)) {
      // EILSEQ: invalid input or a character the target cannot hold; EINVAL:
      // the input ends inside a character. Neither gives partial output.
      if (errno != E2BIG || growths == kMaxGrowths) return std::nullopt;
      ++growths;
      output.resize(output.size() + growth);
      continue;
    }
    // A positive count means characters were converted irreversibly, that
    // is substituted.
    if (status != 0) return std::nullopt;
    if (inputDone) break;
    inputDone = true;
  }
  output.resize(written);
  return output;
}

// The names go to iconv_open verbatim, so a suffix like "//TRANSLIT" or
// "//IGNORE" would make iconv substitute or drop characters, and glibc reads
// the empty name as the locale's character set: such names are refused, as
// is a name with a zero byte that iconv would read cut short.
bool IsPlainEncodingName(const Text& name) {
  return !name.empty() && name.find('/') == Text::npos && name.find('\0') == Text::npos;
}

}  // namespace

ByteSet ConvertEncoding(const ByteSet& input, const Text& from, const Text& to, bool* success) {
  if (success) *success = false;
  if (!IsPlainEncodingName(from) || !IsPlainEncodingName(to)) return ByteSet();
  const iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return ByteSet();
  std::optional<ByteSet> output = input.empty() ? ByteSet() : ConvertAll(converter, input);
  iconv_close(converter);
  if (!output) return ByteSet();
  if (success) *success = true;
  return std::move(*output);
}
