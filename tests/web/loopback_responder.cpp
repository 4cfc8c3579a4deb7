#include "tests/web/loopback_responder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kPollMs = 50;
constexpr int kReadTimeoutMs = 5000;
constexpr char kEndOfHead[] = "\r\n\r\n";

// Value of the Content-Length line of a request head (name in any case); 0
// when there is none.
size_t ContentLength(const std::string& head) {
  std::string lower = head;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

// Reads what a request sends: its head, then as many body bytes as the head
// announces. Gives what arrived when the client stops sending.
std::string ReadRequest(int connection) {
  std::string raw;
  size_t wanted = 0;
  pollfd p{connection, POLLIN, 0};
  while (wanted == 0 || raw.size() < wanted) {
    if (poll(&p, 1, kReadTimeoutMs) <= 0) break;
    char buffer[65536];
    const ssize_t n = read(connection, buffer, sizeof buffer);
    if (n <= 0) break;
    raw.append(buffer, static_cast<size_t>(n));
    const size_t headEnd = raw.find(kEndOfHead);
    if (wanted == 0 && headEnd != std::string::npos) {
      wanted = headEnd + 4 + ContentLength(raw.substr(0, headEnd + 2));
    }
  }
  return raw;
}

bool WriteAll(int connection, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n =
        send(connection, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

LoopbackResponder::LoopbackResponder(std::string response, bool endlessChunks)
    : response_(std::move(response)), endlessChunks_(endlessChunks) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("LoopbackResponder: cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackResponder::~LoopbackResponder() {
  stopping_ = true;
  thread_.join();
  close(listener_);
}

std::string LoopbackResponder::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackResponder::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackResponder::Serve() {
  pollfd p{listener_, POLLIN, 0};
  while (!stopping_) {
    if (poll(&p, 1, kPollMs) <= 0) continue;
    const int connection = accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    Answer(connection);
    close(connection);
  }
}

void LoopbackResponder::Answer(int connection) {
  std::string request = ReadRequest(connection);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(std::move(request));
  }
  if (!WriteAll(connection, response_) || !endlessChunks_) return;
  const std::string chunk = "100000\r\n" + std::string(size_t{1} << 20, 'x') + "\r\n";
  while (!stopping_ && WriteAll(connection, chunk)) {
  }
}

std::string RequestHead(const std::string& raw) { return raw.substr(0, raw.find(kEndOfHead)); }

std::string RequestBody(const std::string& raw) {
  const size_t headEnd = raw.find(kEndOfHead);
  return headEnd == std::string::npos ? std::string() : raw.substr(headEnd + 4);
}
