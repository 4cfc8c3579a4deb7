// The request log: one line for every request the service reads, written and
// flushed as soon as the request header has arrived (before the answer, so a
// request that is never answered is in the log too).
//
// Line format (fields separated by TAB, line ended by LF):
//   METHOD TAB TARGET [TAB HEADER-LINE]...
// METHOD and TARGET are as the request line holds them. Each HEADER-LINE is
// one raw header line exactly as received, without its CR LF: the name, the
// colon and the value with any blanks around it. A request the HTTP parser
// refuses is logged as
//   <bad request> TAB REASON [TAB RAW-LINE]...
// with every line of what arrived, the request line first.
// In every field a backslash is written \\, TAB \t, CR \r, LF \n, and every
// other byte below 0x20 or from 0x7F up as \xHH (two lower-case hex digits), so
// a line holds only printable ASCII and a CR or LF smuggled into a header
// value shows up as \r or \n inside one field.
//
// Not thread-safe: the service writes it from its one thread.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_REQUEST_LOG_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_REQUEST_LOG_H_

#include <cstdio>
#include <string>
#include <string_view>

class RequestLog {
 public:
  // Opens `path`, emptying it; an empty path gives a log that writes nothing.
  explicit RequestLog(const std::string& path);
  ~RequestLog();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // False when a path was given and could not be opened.
  bool ok() const { return ok_; }

  // Logs a parsed request; `rawHeader` is the header block as received, from
  // the request line to the blank line that ends it.
  void Record(std::string_view method, std::string_view target, std::string_view rawHeader);
  // Logs a request that could not be parsed.
  void RecordBadRequest(std::string_view reason, std::string_view raw);

 private:
  void WriteLine(const std::string& line);

  std::FILE* file_ = nullptr;
  bool ok_ = true;
};

// `field` with the log's escapes applied.
std::string EscapeLogField(std::string_view field);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_REQUEST_LOG_H_
