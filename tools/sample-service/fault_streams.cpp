#include "tools/sample-service/fault_streams.h"

#include <algorithm>
#include <array>
#include <boost/asio/buffer.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/http/chunk_encode.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/serializer.hpp>
#include <boost/beast/http/write.hpp>
#include <chrono>
#include <string>

#include "tools/sample-service/sample_pages.h"

namespace net = boost::asio;
namespace http = boost::beast::http;
using net::awaitable;
using net::use_awaitable;
using tcp = net::ip::tcp;

namespace {

constexpr std::size_t kHugePiece = 64 * 1024;

http::response<http::empty_body> HeaderOnly(RequestInfo request) {
  http::response<http::empty_body> response{http::status::ok, request.version};
  response.set(http::field::server, "sample-service");
  response.set(http::field::content_type, "text/html; charset=utf-8");
  response.keep_alive(false);
  return response;
}

awaitable<void> WriteHeader(tcp::socket& socket, http::response<http::empty_body>& response) {
  http::response_serializer<http::empty_body> serializer{response};
  co_await http::async_write_header(socket, serializer, use_awaitable);
}

}  // namespace

awaitable<bool> HangUntilClosed(tcp::socket& socket) {
  std::array<char, 4096> sink;
  // Whatever else the client sends is read and dropped; the read fails (and
  // throws) once the client closes.
  for (;;) co_await socket.async_read_some(net::buffer(sink), use_awaitable);
}

awaitable<bool> SendHalfThenReset(tcp::socket& socket, RequestInfo request) {
  const std::string page = RankingPage("reset.test", 1);
  http::response<http::empty_body> response = HeaderOnly(request);
  response.content_length(page.size());
  co_await WriteHeader(socket, response);
  co_await net::async_write(socket, net::buffer(page.data(), page.size() / 2), use_awaitable);
  // Linger 0 makes close() send RST instead of FIN: the client sees the
  // connection reset, not a clean end.
  socket.set_option(tcp::socket::linger(true, 0));
  socket.close();
  co_return false;
}

awaitable<bool> TrickleForever(tcp::socket& socket, RequestInfo request) {
  const std::string page = RankingPage("trickle.test", 1);
  http::response<http::empty_body> response = HeaderOnly(request);
  response.chunked(true);
  co_await WriteHeader(socket, response);
  net::steady_timer timer(socket.get_executor());
  for (std::size_t i = 0;; i = (i + 1) % page.size()) {
    co_await net::async_write(socket, http::make_chunk(net::buffer(&page[i], 1)), use_awaitable);
    timer.expires_after(std::chrono::seconds(1));
    co_await timer.async_wait(use_awaitable);
  }
}

awaitable<bool> SendHugeBody(tcp::socket& socket, RequestInfo request) {
  static const std::string block = LargeRankingPage(1024 * 1024);
  http::response<http::empty_body> response = HeaderOnly(request);
  response.content_length(kHugeBodyBytes);
  co_await WriteHeader(socket, response);
  std::uint64_t sent = 0;
  std::size_t offset = 0;
  while (sent < kHugeBodyBytes) {
    const std::size_t piece = static_cast<std::size_t>(
        std::min<std::uint64_t>({kHugePiece, block.size() - offset, kHugeBodyBytes - sent}));
    co_await net::async_write(socket, net::buffer(block.data() + offset, piece), use_awaitable);
    sent += piece;
    offset = (offset + piece) % block.size();
  }
  co_return false;
}
