#include "tools/sample-service/responses.h"

#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include "tools/sample-service/fault_pages.h"
#include "tools/sample-service/fault_streams.h"
#include "tools/sample-service/sample_pages.h"

namespace http = boost::beast::http;
using boost::asio::awaitable;
using boost::asio::use_awaitable;

namespace {

// Size of large.test's page, the page of the web-access benchmark.
constexpr std::size_t kLargePageBytes = 100 * 1024;

// Where redirect.test sends its pages: the same page of a normal domain.
constexpr char kRedirectTarget[] = "www.example.com";

std::string NotFoundPage() {
  return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>404 页面不存在</title>\n</head>\n<body>\n<h1>404 页面不存在</h1>\n"
         "<p>您访问的页面不存在。</p>\n</body>\n</html>\n";
}

std::string MovedPage(const std::string& location) {
  return "<!DOCTYPE html>\n<html>\n<head><title>302 Found</title></head>\n<body>\n"
         "<p>The page has moved to <a href=\"" +
         location + "\">" + location + "</a>.</p>\n</body>\n</html>\n";
}

awaitable<bool> SendRedirect(boost::asio::ip::tcp::socket& socket, std::string location,
                             RequestInfo request) {
  std::string body = MovedPage(location);
  co_return co_await SendPage(socket, http::status::found, std::move(body), request,
                              std::move(location));
}

awaitable<bool> RespondWithFault(boost::asio::ip::tcp::socket& socket, const Route& route,
                                 RequestInfo request) {
  switch (route.fault) {
    case Fault::kHang:
      co_return co_await HangUntilClosed(socket);
    case Fault::kReset:
      co_return co_await SendHalfThenReset(socket, request);
    case Fault::kTrickle:
      co_return co_await TrickleForever(socket, request);
    case Fault::kHuge:
      co_return co_await SendHugeBody(socket, request);
    case Fault::kBadUtf8:
      co_return co_await SendPage(socket, http::status::ok, BadUtf8Page(), request);
    case Fault::kNonGbk:
      co_return co_await SendPage(socket, http::status::ok, NonGbkPage(), request);
    case Fault::kUnclosed:
      co_return co_await SendPage(socket, http::status::ok, UnclosedLinkPage(), request);
    case Fault::kError500:
      co_return co_await SendPage(socket, http::status::internal_server_error, ServerErrorPage(),
                                  request);
    case Fault::kRedirect:
      co_return co_await SendRedirect(socket, RankPageUrl(kRedirectTarget, route.page), request);
    case Fault::kLoop:
      co_return co_await SendRedirect(socket, RankPageUrl(route.domain, route.page), request);
    case Fault::kEmpty:
      co_return co_await SendPage(socket, http::status::ok, "", request);
    case Fault::kLarge: {
      static const std::string page = LargeRankingPage(kLargePageBytes);
      co_return co_await SendPage(socket, http::status::ok, page, request);
    }
    case Fault::kNone:
      break;
  }
  co_return co_await SendPage(socket, http::status::ok, RankingPage(route.domain, route.page),
                              request);
}

}  // namespace

awaitable<bool> SendPage(boost::asio::ip::tcp::socket& socket, http::status status,
                         std::string body, RequestInfo request, std::string location) {
  http::response<http::string_body> response{status, request.version};
  response.set(http::field::server, "sample-service");
  response.set(http::field::content_type, "text/html; charset=utf-8");
  if (!location.empty()) response.set(http::field::location, location);
  response.keep_alive(request.keepAlive);
  response.body() = std::move(body);
  response.prepare_payload();
  co_await http::async_write(socket, response, use_awaitable);
  co_return request.keepAlive;
}

awaitable<bool> Respond(boost::asio::ip::tcp::socket& socket, const Route& route,
                        RequestInfo request) {
  if (!route.found)
    co_return co_await SendPage(socket, http::status::not_found, NotFoundPage(), request);
  co_return co_await RespondWithFault(socket, route, request);
}
