#include "web/wire_text.h"

#include <algorithm>

namespace {

std::string FromBytes(const ByteSet& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::optional<ByteSet> Convert(const ByteSet& input, const Text& from, const Text& to) {
  bool converted = false;
  ByteSet output = ConvertEncoding(input, from, to, &converted);
  if (!converted) return std::nullopt;
  return output;
}

// ASCII is the same bytes in GBK, GB18030, UTF-8 and ISO-8859-1, and most
// texts that cross the wire (addresses, header lines) are plain ASCII, so
// they skip the converter, whose opening costs more than the whole request's
// other text handling.
bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool MustEncodeInUrl(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F || byte == '"' || byte == '<' || byte == '>';
}

// Offset of the first byte after the authority: the authority follows
// "scheme://" (or starts the address when there is no scheme) and ends at the
// first '/', '?' or '#'.
size_t PathStart(const std::string& url) {
  const size_t schemeEnd = url.find("://");
  const size_t authority = schemeEnd == std::string::npos ? 0 : schemeEnd + 3;
  return std::min(url.find_first_of("/?#", authority), url.size());
}

}  // namespace

std::optional<std::string> TextToWire(const Text& text) {
  if (IsAscii(text)) return text;
  const ByteSet input = TextToBytes(text);
  std::optional<ByteSet> utf8 = Convert(input, "GBK", "UTF-8");
  if (!utf8) utf8 = Convert(input, "GB18030", "UTF-8");
  if (!utf8) return std::nullopt;
  return FromBytes(*utf8);
}

Text WireToText(const std::string& line) {
  std::string bytes = line;
  std::erase(bytes, '\0');
  if (IsAscii(bytes)) return bytes;
  const ByteSet input = TextToBytes(bytes);
  std::optional<ByteSet> text = Convert(input, "UTF-8", "GBK");
  if (!text) text = Convert(input, "UTF-8", "GB18030");
  // Every byte is a character in ISO-8859-1, and GB18030 holds every
  // character, so this last conversion cannot fail.
  if (!text) text = Convert(input, "ISO-8859-1", "GB18030");
  return BytesToText(text.value_or(ByteSet()));
}

std::string PercentEncodeUrl(const std::string& url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const size_t pathStart = PathStart(url);
  std::string encoded = url.substr(0, pathStart);
  for (size_t i = pathStart; i < url.size(); ++i) {
    const auto byte = static_cast<unsigned char>(url[i]);
    if (MustEncodeInUrl(byte)) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += url[i];
    }
  }
  return encoded;
}
