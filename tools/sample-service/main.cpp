// sample-service: a stand-in for the SEO statistics service, for tests,
// benchmarks and the offline demo. See README.md beside this file.
//
//   sample-service --port N [--log FILE]
//
// Listens on 127.0.0.1:N (0 picks a free port), prints
// "listening on 127.0.0.1:PORT" as its first line and serves until SIGINT
// or SIGTERM, then exits 0. Exit 2: bad arguments; exit 1: cannot listen or
// cannot open the log.
// Boost 1.74's awaitable.hpp uses std::exchange without including <utility>.
#include <utility>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <charconv>
#include <csignal>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/sample-service/request_log.h"
#include "tools/sample-service/session.h"

namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace {

struct Arguments {
  int port = -1;
  std::string logPath;
};

// Gives port -1 for a command line that is not "--port N [--log FILE]".
Arguments ParseArguments(int argc, char** argv) {
  Arguments args;
  bool portGiven = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i], value = argv[i + 1];
    if (option == "--port" && !portGiven) {
      int port = -1;
      auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
      if (error != std::errc() || end != value.data() + value.size() || port > 65535) port = -1;
      args.port = port;
      portGiven = true;
    } else if (option == "--log" && args.logPath.empty() && !value.empty()) {
      args.logPath = value;
    } else {
      return Arguments{};
    }
  }
  if (argc % 2 == 0) return Arguments{};
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  const Arguments args = ParseArguments(argc, argv);
  if (args.port < 0) {
    std::cerr << "usage: sample-service --port N [--log FILE]   (N = 0 picks a free port)\n";
    return 2;
  }
  net::io_context context(1);
  // Signals are caught before the port is announced, so a client that stops
  // the service as soon as it has read the port still gets exit code 0.
  net::signal_set signals(context, SIGINT, SIGTERM);
  signals.async_wait([&context](const boost::system::error_code&, int) { context.stop(); });

  RequestLog log(args.logPath);
  if (!log.ok()) {
    std::cerr << "sample-service: cannot open the log " << args.logPath << "\n";
    return 1;
  }
  tcp::acceptor acceptor(context);
  try {
    const tcp::endpoint endpoint(net::ip::make_address_v4("127.0.0.1"),
                                 static_cast<unsigned short>(args.port));
    acceptor.open(endpoint.protocol());
    acceptor.set_option(tcp::acceptor::reuse_address(true));
    acceptor.bind(endpoint);
    acceptor.listen();
  } catch (const boost::system::system_error& e) {
    std::cerr << "sample-service: cannot listen on 127.0.0.1:" << args.port << ": " << e.what()
              << "\n";
    return 1;
  }
  net::co_spawn(context, AcceptLoop(acceptor, log), net::detached);
  std::cout << "listening on 127.0.0.1:" << acceptor.local_endpoint().port() << std::endl;
  context.run();
  return 0;
}
