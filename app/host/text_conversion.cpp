#include "app/host/text_conversion.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

const Text kTextEncoding = "GB18030";
const Text kQtEncoding = "UTF-8";

// The UTF-8 of bytes converted as a whole, or nullopt when they are not
// valid GB18030 from start to end.
std::optional<QString> ConvertWhole(std::string_view bytes) {
  bool ok = false;
  const ByteSet utf8 =
      ConvertEncoding(ByteSet(bytes.begin(), bytes.end()), kTextEncoding, kQtEncoding, &ok);
  if (!ok) return std::nullopt;
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()),
                           static_cast<qsizetype>(utf8.size()));
}

// Width of the GB18030 character that starts at p: 1 for ASCII, 4 for the
// form lead, digit, lead, digit, else 2.
size_t GuessWidth(std::string_view bytes, size_t p) {
  const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (at(p) < 0x80) return 1;
  const auto isDigit = [&](size_t i) { return at(i) >= 0x30 && at(i) <= 0x39; };
  if (p + 3 < bytes.size() && isDigit(p + 1) && at(p + 2) >= 0x81 && isDigit(p + 3)) return 4;
  return 2;
}

// Code page 936, and so iconv's "GBK", has the euro sign as the one byte
// 0x80, which GB18030 lacks; a page converted to GBK may hold it.
constexpr unsigned char kGbkEuroSign = 0x80;

// Character by character, for a line that does not convert as a whole: each
// byte that starts no valid character becomes U+FFFD and the walk resumes at
// the next byte, so one bad byte costs one character.
QString ConvertByCharacter(std::string_view line) {
  QString result;
  size_t p = 0;
  while (p < line.size()) {
    if (static_cast<unsigned char>(line[p]) == kGbkEuroSign) {
      result += QChar(0x20AC);
      ++p;
      continue;
    }
    const size_t width = std::min(GuessWidth(line, p), line.size() - p);
    if (std::optional<QString> converted = ConvertWhole(line.substr(p, width))) {
      result += *converted;
      p += width;
    } else {
      result += QChar::ReplacementCharacter;
      ++p;
    }
  }
  return result;
}

}  // namespace

QString ToQString(const Text& text) {
  if (std::optional<QString> whole = ConvertWhole(text)) return *whole;
  // Only the lines that hold a bad byte go the slow way, one converter per
  // character; LF is one byte in GB18030 and never the second byte of a pair.
  QString result;
  const std::string_view all = text;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = all.substr(start, end - start);
    std::optional<QString> converted = ConvertWhole(line);
    result += converted ? *converted : ConvertByCharacter(line);
    if (end < all.size()) result += QLatin1Char('\n');
    start = end + 1;
  }
  return result;
}

Text FromQString(const QString& string) {
  QString clean = string;
  clean.remove(QChar(u'\0'));
  const QByteArray utf8 = clean.toUtf8();
  const ByteSet bytes =
      ConvertEncoding(ByteSet(utf8.begin(), utf8.end()), kQtEncoding, kTextEncoding);
  return Text(bytes.begin(), bytes.end());
}
