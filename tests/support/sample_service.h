// SampleService: runs the sample ranking service (tools/sample-service) as a
// child process for one test, on a free port of 127.0.0.1.
//
// The constructor starts the binary with `--port 0` (and `--log FILE` when a
// log is asked for), reads its first output line "listening on 127.0.0.1:PORT"
// and keeps the port. The destructor stops the child with SIGTERM and waits
// for it; Stop() does the same earlier and gives the exit status. The child is
// also sent SIGTERM when the thread that started it ends, so a crashed test
// leaves no service behind: create it on a thread that outlives the test.
//
// The program reaches the service as an HTTP proxy: set http_proxy to
// proxyUrl() and request "http://rank.example.com/baidu/DOMAIN/".
//
// Not thread-safe; plain POSIX. A start that fails (binary missing, no
// listening line within 10 s) throws std::runtime_error.
#ifndef RUZIDUZ_TESTS_SUPPORT_SAMPLE_SERVICE_H_
#define RUZIDUZ_TESTS_SUPPORT_SAMPLE_SERVICE_H_

#include <sys/types.h>
#include <csignal>
#include <string>
#include <utility>
#include <vector>

// One request as the service's log recorded it, with escapes undone.
struct LoggedRequest {
  std::string method;
  std::string target;  // as received: "/baidu/a.com/" or "http://rank.example.com/baidu/a.com/"
  // Header lines in the order received, each split at its first colon into
  // name and raw value (the blanks after the colon kept: "Accept: */*" gives
  // {"Accept", " */*"}); a line without a colon is all name.
  std::vector<std::pair<std::string, std::string>> headers;

  // Value of the first header whose name equals `name` ignoring ASCII case,
  // with the blanks around it removed as HTTP reads it; empty when there is
  // none.
  std::string Header(const std::string& name) const;
  // Whether a header named `name` (ASCII case ignored) was received.
  bool HasHeader(const std::string& name) const;
};

class SampleService {
 public:
  struct Options {
    bool log = false;  // record every request in a temporary log file
  };

  SampleService() : SampleService(Options{}) {}
  explicit SampleService(Options options);
  ~SampleService();
  SampleService(const SampleService&) = delete;
  SampleService& operator=(const SampleService&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:PORT", the value for http_proxy.
  std::string proxyUrl() const;
  // Path of the request log; empty without Options::log.
  const std::string& logPath() const { return logPath_; }

  // The log's lines so far, without line ends; empty without a log.
  std::vector<std::string> LogLines() const;
  // The log's lines parsed (ParseLogLine). A request the service could not
  // parse yields method "<bad request>", the reason as target and every raw
  // line received, the request line first, in headers.
  std::vector<LoggedRequest> Requests() const;

  // Sends `signal` (SIGTERM unless told) and waits for the child. Gives its
  // exit code, or 128 + the signal number when a signal ended it. A second
  // call gives the same value.
  int Stop(int signal = SIGTERM);

 private:
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  int port_ = 0;
  int exitStatus_ = -1;
  std::string logPath_;
};

// Parses one log line (see tools/sample-service/README.md); a line that is
// not in the log's format yields a request with empty method.
LoggedRequest ParseLogLine(const std::string& line);

#endif  // RUZIDUZ_TESTS_SUPPORT_SAMPLE_SERVICE_H_
