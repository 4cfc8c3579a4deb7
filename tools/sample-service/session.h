// Connections of the sample ranking service: the accept loop and one
// coroutine per connection, all on one thread. A connection that is never
// answered (hang.test) or never ends (trickle.test) only holds its own
// coroutine, so every other connection goes on being served.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_SESSION_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_SESSION_H_

// Boost 1.74's awaitable.hpp uses std::exchange without including <utility>.
#include <utility>

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "tools/sample-service/request_log.h"

// Accepts connections on `acceptor` and serves each until it closes; runs
// until the io_context stops. `log` must outlive it.
boost::asio::awaitable<void> AcceptLoop(boost::asio::ip::tcp::acceptor& acceptor, RequestLog& log);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_SESSION_H_
