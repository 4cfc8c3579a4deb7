#include "tools/sample-service/session.h"

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <iostream>
#include <string>

#include "tools/sample-service/responses.h"
#include "tools/sample-service/route.h"

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using net::awaitable;
using net::use_awaitable;
using tcp = net::ip::tcp;

namespace {

constexpr std::size_t kHeaderLimit = 64 * 1024;
// A request body is read and dropped; a larger one is refused.
constexpr std::size_t kBodyLimit = 1024 * 1024;

std::string_view View(beast::string_view text) { return {text.data(), text.size()}; }

std::string_view BufferText(const beast::flat_buffer& buffer) {
  return {static_cast<const char*>(buffer.data().data()), buffer.size()};
}

// Reads until `buffer` holds a whole request header, which ends at the first
// CR LF CR LF, and gives that header's bytes (they stay in `buffer` for the
// HTTP parser). Gives "" when the client closes, or the header grows past
// kHeaderLimit, first. Only the end of the header is looked for here: the
// header is parsed by Beast, and kept raw only for the log.
awaitable<std::string> ReadRawHeader(tcp::socket& socket, beast::flat_buffer& buffer) {
  for (;;) {
    const std::size_t end = BufferText(buffer).find("\r\n\r\n");
    if (end != std::string_view::npos) co_return std::string(BufferText(buffer).substr(0, end + 4));
    if (buffer.size() > kHeaderLimit) co_return "";
    beast::error_code error;
    const std::size_t n = co_await socket.async_read_some(
        buffer.prepare(4096), net::redirect_error(use_awaitable, error));
    if (error) co_return "";
    buffer.commit(n);
  }
}

// Reads the next request of the connection into `parser`, logging it as soon
// as its header is in. Gives false when the connection is done: the client
// closed it, or the request was refused (and answered 400).
awaitable<bool> ReadRequest(tcp::socket& socket, beast::flat_buffer& buffer,
                            http::request_parser<http::string_body>& parser, RequestLog& log) {
  const std::string rawHeader = co_await ReadRawHeader(socket, buffer);
  if (rawHeader.empty()) {
    if (buffer.size() > kHeaderLimit) {
      log.RecordBadRequest("request header too long", BufferText(buffer));
    } else if (buffer.size() > 0) {
      log.RecordBadRequest("incomplete request header", BufferText(buffer));
    }
    co_return false;
  }
  parser.header_limit(kHeaderLimit + 4);
  parser.body_limit(kBodyLimit);
  beast::error_code error;
  co_await http::async_read_header(socket, buffer, parser,
                                   net::redirect_error(use_awaitable, error));
  if (error) {
    log.RecordBadRequest(error.message(), rawHeader);
  } else {
    const auto& request = parser.get();
    log.Record(View(request.method_string()), View(request.target()), rawHeader);
    co_await http::async_read(socket, buffer, parser, net::redirect_error(use_awaitable, error));
  }
  if (!error) co_return true;
  co_await SendPage(socket, http::status::bad_request, "", RequestInfo{11, false});
  co_return false;
}

// Serves requests on one connection until it closes or an answer ends it.
awaitable<void> Session(tcp::socket socket, RequestLog& log) {
  beast::flat_buffer buffer;
  try {
    for (;;) {
      http::request_parser<http::string_body> parser;
      if (!co_await ReadRequest(socket, buffer, parser, log)) co_return;
      const auto& request = parser.get();
      const RequestInfo info{request.version(), request.keep_alive()};
      if (!co_await Respond(socket, RouteTarget(View(request.target())), info)) break;
    }
    if (socket.is_open()) socket.shutdown(tcp::socket::shutdown_send);
  } catch (const boost::system::system_error&) {
    // The client went away; nothing is left to do for this connection.
  }
}

}  // namespace

awaitable<void> AcceptLoop(tcp::acceptor& acceptor, RequestLog& log) {
  for (;;) {
    beast::error_code error;
    tcp::socket socket = co_await acceptor.async_accept(net::redirect_error(use_awaitable, error));
    if (error == net::error::operation_aborted) co_return;
    if (error) {
      // Out of descriptors and the like: the connection is lost, the
      // service goes on.
      std::cerr << "sample-service: accept: " << error.message() << "\n";
      continue;
    }
    net::co_spawn(acceptor.get_executor(), Session(std::move(socket), log), net::detached);
  }
}
