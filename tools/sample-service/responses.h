// The answers of the sample ranking service: whole pages, and the broken
// answers of the fault domains, each written to the client's socket.
//
// Every function gives whether the connection may carry a further request
// (false once the answer was cut off or the connection was closed) and throws
// boost::system::system_error when the client went away.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_RESPONSES_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_RESPONSES_H_

// Boost 1.74's awaitable.hpp uses std::exchange without including <utility>.
#include <utility>

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/http/status.hpp>
#include <string>

#include "tools/sample-service/route.h"

// What the answer needs to know of the request.
struct RequestInfo {
  unsigned version;  // 10 or 11
  bool keepAlive;
};

// A complete HTML answer with Content-Length; `location` (when not empty)
// goes into a Location header.
boost::asio::awaitable<bool> SendPage(boost::asio::ip::tcp::socket& socket,
                                      boost::beast::http::status status, std::string body,
                                      RequestInfo request, std::string location = "");

// The answer for `route`: a ranking page, a 404 page, or the route's fault.
boost::asio::awaitable<bool> Respond(boost::asio::ip::tcp::socket& socket, const Route& route,
                                     RequestInfo request);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_RESPONSES_H_
