// FindText, SplitText and ReplaceText locate matches with a fast byte search
// and then check that each lies at a character start. Here they are compared
// with a plain character-by-character walk on many short random texts drawn
// from the bytes that matter: ASCII letters in both cases, blanks, delimiters
// and bytes 0x80-0xFF in lead and second position, dangling ones included.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "text/text.h"

namespace {

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }
size_t Width(char c) { return IsLead(c) ? 2 : 1; }
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool MatchesAt(const Text& text, size_t p, const Text& needle, bool fold) {
  for (size_t i = 0; i < needle.size(); ++i) {
    if (fold ? Fold(text[p + i]) != Fold(needle[i]) : text[p + i] != needle[i]) return false;
  }
  return true;
}

size_t Offset(int start) { return start > 1 ? static_cast<size_t>(start - 1) : 0; }

int WalkFind(const Text& haystack, const Text& needle, int start, bool ignoreCase) {
  const size_t from = Offset(start);
  if (from >= haystack.size()) return -1;
  if (needle.empty()) return 1;
  for (size_t p = from; p + needle.size() <= haystack.size(); p += Width(haystack[p])) {
    if (MatchesAt(haystack, p, needle, ignoreCase)) return static_cast<int>(p) + 1;
  }
  return -1;
}

TextArray WalkSplit(const Text& text, const Text& delimiter, std::optional<int> limit) {
  if (text.empty() || (limit && *limit <= 0)) return {};
  if (delimiter.empty()) return {text};
  TextArray pieces;
  size_t pieceStart = 0;
  for (size_t p = 0; p + delimiter.size() <= text.size();) {
    if (MatchesAt(text, p, delimiter, false)) {
      pieces.push_back(text.substr(pieceStart, p - pieceStart));
      p += delimiter.size();
      pieceStart = p;
      if (limit && pieces.size() == static_cast<size_t>(*limit)) return pieces;
    } else {
      if (p == text.size() - 1 && IsLead(text[p])) break;
      p += Width(text[p]);
    }
  }
  if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
  return pieces;
}

Text WalkReplace(const Text& text, const Text& target, const Text& replacement, int start,
                 int count, bool caseSensitive) {
  const size_t from = Offset(start);
  if (text.empty() || target.empty() || from >= text.size() || count == 0) return text;
  Text result = text.substr(0, from);
  size_t p = from;
  int replaced = 0;
  while (p + target.size() <= text.size()) {
    if (MatchesAt(text, p, target, !caseSensitive)) {
      result += replacement;
      p += target.size();
      if (++replaced == count) break;
    } else if (p == text.size() - 1 && IsLead(text[p])) {
      p = text.size();  // a dangling byte is not copied
    } else {
      result.append(text, p, Width(text[p]));
      p += Width(text[p]);
    }
  }
  return result + text.substr(p);
}

class RandomTexts {
 public:
  Text Next(size_t maxLength) {
    static const char kBytes[] = {'a', 'A', 'x', 'X', ' ', ',', '\r', '\n', '\x81', '\xA1', '\xB0'};
    Text text(random_() % (maxLength + 1), ' ');
    for (char& c : text) c = kBytes[random_() % sizeof kBytes];
    return text;
  }
  int Between(int low, int high) { return low + static_cast<int>(random_() % (high - low + 1)); }

 private:
  std::mt19937 random_{7};
};

TEST(CharWalkTest, SearchingPrimitivesAgreeWithAPlainWalk) {
  RandomTexts random;
  for (int round = 0; round < 20000; ++round) {
    const Text text = random.Next(12);
    const Text needle = random.Next(3);
    const int start = random.Between(-1, 14);
    const int count = random.Between(-1, 3);
    const std::optional<int> limit =
        count == 3 ? std::nullopt : std::optional<int>(random.Between(-1, 3));
    const bool flag = round % 2 == 0;
    SCOPED_TRACE(testing::PrintToString(text) + " / " + testing::PrintToString(needle) + " start " +
                 std::to_string(start) + " count " + std::to_string(count) + " limit " +
                 (limit ? std::to_string(*limit) : "none"));
    ASSERT_EQ(FindText(text, needle, start, flag), WalkFind(text, needle, start, flag));
    ASSERT_EQ(SplitText(text, needle, limit), WalkSplit(text, needle, limit));
    ASSERT_EQ(ReplaceText(text, needle, "-", start, count, flag),
              WalkReplace(text, needle, "-", start, count, flag));
  }
}

}  // namespace
