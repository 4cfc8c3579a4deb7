// LoopbackResponder: a listener on a free port of 127.0.0.1 that answers every
// connection with one fixed byte sequence and keeps the bytes each request
// sent (its header block and a Content-Length body), so tests can give the
// request object answers the sample service does not give (Set-Cookie lines,
// several header blocks, header bytes that are not UTF-8, an endless chunked
// body) and see exactly what went out on the wire.
//
// Connections are served one after another on a thread of its own; the
// destructor stops it. Plain POSIX sockets.
#ifndef RUZIDUZ_TESTS_WEB_LOOPBACK_RESPONDER_H_
#define RUZIDUZ_TESTS_WEB_LOOPBACK_RESPONDER_H_

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackResponder {
 public:
  // `response` is written as it is. With endlessChunks, 1 MiB chunks of body
  // follow it until the client goes away (the response's header block must
  // then announce Transfer-Encoding: chunked).
  explicit LoopbackResponder(std::string response, bool endlessChunks = false);
  ~LoopbackResponder();
  LoopbackResponder(const LoopbackResponder&) = delete;
  LoopbackResponder& operator=(const LoopbackResponder&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:PORT" + path.
  std::string Url(const std::string& path) const;
  // Every request received so far, raw: the header block up to and including
  // its blank line, then the body.
  std::vector<std::string> Requests() const;

 private:
  void Serve();
  void Answer(int connection);

  const std::string response_;
  const bool endlessChunks_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// The header block of a raw request (request line and header lines, without
// the blank line), and the body after it.
std::string RequestHead(const std::string& raw);
std::string RequestBody(const std::string& raw);

#endif  // RUZIDUZ_TESTS_WEB_LOOPBACK_RESPONDER_H_
