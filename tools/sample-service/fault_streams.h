// The fault answers that are about time and connections rather than content:
// a request never answered, a body cut off by a reset, a body that trickles
// for ever and a 1 GiB body. Each gives false (the connection carries no
// further request) and throws boost::system::system_error when the client
// goes away, which is how the endless ones end.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_STREAMS_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_STREAMS_H_

// Boost 1.74's awaitable.hpp uses std::exchange without including <utility>.
#include <utility>

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <cstdint>

#include "tools/sample-service/responses.h"

// Size of huge.test's body: 1 GiB.
inline constexpr std::uint64_t kHugeBodyBytes = std::uint64_t{1} << 30;

// Sends nothing; waits until the client closes the connection.
boost::asio::awaitable<bool> HangUntilClosed(boost::asio::ip::tcp::socket& socket);

// Status 200 with the Content-Length of a whole ranking page, half of that
// page, then a TCP reset (SO_LINGER 0 and close).
boost::asio::awaitable<bool> SendHalfThenReset(boost::asio::ip::tcp::socket& socket,
                                               RequestInfo request);

// Status 200, chunked, then one byte of a ranking page a second in a chunk of
// its own, the page over and over, until the client closes.
boost::asio::awaitable<bool> TrickleForever(boost::asio::ip::tcp::socket& socket,
                                            RequestInfo request);

// Status 200 with Content-Length kHugeBodyBytes, then that many bytes of
// ranking markup, written in 64 KiB pieces of a 1 MiB page that is sent over
// and over, so the body is never held in memory whole.
boost::asio::awaitable<bool> SendHugeBody(boost::asio::ip::tcp::socket& socket,
                                          RequestInfo request);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_STREAMS_H_
