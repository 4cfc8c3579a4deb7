#include "tools/sample-service/request_log.h"

#include <vector>

namespace {

// The lines of `raw` split at CR LF, without the empty ones that end a
// header block.
std::vector<std::string_view> CrLfLines(std::string_view raw) {
  std::vector<std::string_view> lines;
  while (!raw.empty()) {
    const std::size_t end = raw.find("\r\n");
    if (end != 0) lines.push_back(raw.substr(0, end));
    if (end == std::string_view::npos) break;
    raw.remove_prefix(end + 2);
  }
  return lines;
}

void AppendField(std::string& line, std::string_view field) {
  line += '\t';
  line += EscapeLogField(field);
}

}  // namespace

std::string EscapeLogField(std::string_view field) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (char c : field) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

RequestLog::RequestLog(const std::string& path) {
  if (path.empty()) return;
  file_ = std::fopen(path.c_str(), "wb");
  ok_ = file_ != nullptr;
}

RequestLog::~RequestLog() {
  if (file_) std::fclose(file_);
}

void RequestLog::Record(std::string_view method, std::string_view target,
                        std::string_view rawHeader) {
  std::string line = EscapeLogField(method);
  AppendField(line, target);
  std::vector<std::string_view> lines = CrLfLines(rawHeader);
  // The first line is the request line, already given as method and target.
  for (std::size_t i = 1; i < lines.size(); ++i) AppendField(line, lines[i]);
  WriteLine(line);
}

void RequestLog::RecordBadRequest(std::string_view reason, std::string_view raw) {
  std::string line = "<bad request>";
  AppendField(line, reason);
  for (std::string_view l : CrLfLines(raw)) AppendField(line, l);
  WriteLine(line);
}

void RequestLog::WriteLine(const std::string& line) {
  if (!file_) return;
  std::fputs(line.c_str(), file_);
  std::fputc('\n', file_);
  // Tests read the log while the service runs.
  std::fflush(file_);
}
