// The running sample service: reached straight and as a proxy, its 404s and
// fault domains, its request log, and how it stops.
#include "tests/support/sample_service.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <chrono>
#include <thread>

#include "tests/sample-service/http_fetch.h"
#include "tests/sample-service/page_reading.h"
#include "tests/support/scoped_env.h"
#include "tools/sample-service/fault_pages.h"
#include "tools/sample-service/sample_pages.h"

namespace {

const std::string kRank = "http://rank.example.com";

// A raw client connection, for requests libcurl would not send and for
// connections that stay open.
class RawConnection {
 public:
  explicit RawConnection(int port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawConnection() { close(fd_); }
  bool connected() const { return connected_; }
  void Send(const std::string& bytes) {
    ASSERT_EQ(send(fd_, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
  }
  void EndSending() { shutdown(fd_, SHUT_WR); }
  // What arrives within `ms` milliseconds (stops early at end of stream).
  std::string Receive(int ms) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return got;
      char buffer[4096];
      const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) return got;
      got.append(buffer, n);
    }
  }

 private:
  int fd_;
  bool connected_ = false;
};

std::string ProxyRequest(const std::string& domain) {
  return "GET " + kRank + "/baidu/" + domain + "/ HTTP/1.1\r\nHost: rank.example.com\r\n\r\n";
}

TEST(SampleServiceTest, ServesFirstPageStraightAndAsProxy) {
  SampleService service({.log = true});
  const Fetched direct = Fetch(service.proxyUrl() + "/baidu/www.example.com/");
  const Fetched proxied = Fetch(kRank + "/baidu/www.example.com/", {.proxy = service.proxyUrl()});
  for (const Fetched* f : {&direct, &proxied}) {
    EXPECT_EQ(f->code, CURLE_OK);
    EXPECT_EQ(f->status, 200);
    EXPECT_EQ(f->body, RankingPage("www.example.com", 1));
  }
  const std::vector<LoggedRequest> requests = service.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/baidu/www.example.com/");
  EXPECT_EQ(requests[1].target, kRank + "/baidu/www.example.com/");
  EXPECT_EQ(requests[1].Header("Host"), "rank.example.com");
  EXPECT_EQ(service.Stop(), 0);
}

TEST(SampleServiceTest, HttpProxyVariableSendsTheRequestInAbsoluteForm) {
  SampleService service({.log = true});
  const ScopedEnv proxy("http_proxy", service.proxyUrl());
  const ScopedEnv noProxy("no_proxy", std::nullopt);
  const Fetched f =
      Fetch(kRank + "/baidu/a.com/2/position/", {.proxy = "", .proxyFromEnvironment = true});
  EXPECT_EQ(f.status, 200);
  EXPECT_EQ(f.body, RankingPage("a.com", 2));
  ASSERT_EQ(service.Requests().size(), 1u);
  EXPECT_EQ(service.Requests()[0].target, kRank + "/baidu/a.com/2/position/");
}

TEST(SampleServiceTest, AnswersPagesItDoesNotHaveWith404) {
  SampleService service;
  static const struct {
    const char* name;
    std::string path;  // after the proxy address, or an absolute address
    bool absolute;
  } cases[] = {
      {"other host", "http://other.example.com/baidu/a.com/", true},
      {"keyword host", "http://keyword.example.com/seo/", true},
      {"root", "/", false},
      {"no trailing slash", "/baidu/a.com", false},
      {"no domain", "/baidu//", false},
      {"page 0", "/baidu/a.com/0/position/", false},
      {"leading zero", "/baidu/a.com/02/position/", false},
      {"page past the last",
       "/baidu/a.com/" + std::to_string(PageCount("a.com") + 1) + "/position/", false},
      {"no position", "/baidu/a.com/2/", false},
      {"unknown .test name", "/baidu/nosuch.test/", false},
      {"other engine", "/google/a.com/", false},
  };
  for (const auto& c : cases) {
    const Fetched f = c.absolute ? Fetch(c.path, {.proxy = service.proxyUrl()})
                                 : Fetch(service.proxyUrl() + c.path);
    EXPECT_EQ(f.status, 404) << c.name;
  }
  // The host of the absolute form is matched ignoring case, its port ignored.
  EXPECT_EQ(
      Fetch("http://RANK.Example.com:8080/baidu/a.com/", {.proxy = service.proxyUrl()}).status,
      200);
}

TEST(SampleServiceTest, FaultDomainsAnswerAsDocumented) {
  SampleService service;
  static const struct {
    const char* domain;
    long status;
    std::string body;
    std::string location;
  } cases[] = {
      {"empty.test", 200, "", ""},
      {"error500.test", 500, ServerErrorPage(), ""},
      {"badutf8.test", 200, BadUtf8Page(), ""},
      {"nongbk.test", 200, NonGbkPage(), ""},
      {"unclosed.test", 200, UnclosedLinkPage(), ""},
      {"pages12.test", 200, RankingPage("pages12.test", 1), ""},
      {"redirect.test", 302, "", kRank + "/baidu/www.example.com/"},
      {"loop.test", 302, "", kRank + "/baidu/loop.test/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.domain);
    const Fetched f = Fetch(kRank + "/baidu/" + c.domain + "/", {.proxy = service.proxyUrl()});
    EXPECT_EQ(f.code, CURLE_OK);
    EXPECT_EQ(f.status, c.status);
    if (c.location.empty()) {
      EXPECT_EQ(f.body, c.body);
    } else {
      EXPECT_EQ(f.location, c.location);
    }
  }
  EXPECT_EQ(
      Fetch(kRank + "/baidu/redirect.test/2/position/", {.proxy = service.proxyUrl()}).location,
      kRank + "/baidu/www.example.com/2/position/");
}

TEST(SampleServiceTest, ResetCutsTheBodyShort) {
  SampleService service;
  const Fetched f = Fetch(kRank + "/baidu/reset.test/", {.proxy = service.proxyUrl()});
  EXPECT_NE(f.code, CURLE_OK);
  EXPECT_EQ(f.contentLength, static_cast<curl_off_t>(RankingPage("reset.test", 1).size()));
  EXPECT_EQ(f.body, RankingPage("reset.test", 1).substr(0, f.contentLength / 2));
}

TEST(SampleServiceTest, HugeBodyIsAnnouncedAsOneGibibyteAndStreams) {
  SampleService service;
  const Fetched f = Fetch(kRank + "/baidu/huge.test/",
                          {.proxy = service.proxyUrl(), .maxBytes = 4 * 1024 * 1024});
  EXPECT_EQ(f.code, CURLE_WRITE_ERROR);  // the test stopped reading, not the service
  EXPECT_EQ(f.status, 200);
  EXPECT_EQ(f.contentLength, curl_off_t{1} << 30);
  EXPECT_GT(LinkCandidates(f.body).size(), 10000u);
}

TEST(SampleServiceTest, HangAndTrickleHoldNoOtherRequestAndStopStillExitsZero) {
  SampleService service({.log = true});
  RawConnection hang(service.port()), trickle(service.port());
  ASSERT_TRUE(hang.connected() && trickle.connected());
  hang.Send(ProxyRequest("hang.test"));
  trickle.Send(ProxyRequest("trickle.test"));

  const std::string trickled = trickle.Receive(1500);
  EXPECT_EQ(trickled.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << trickled;
  EXPECT_NE(trickled.find("Transfer-Encoding: chunked"), std::string::npos);
  const Fetched other =
      Fetch(kRank + "/baidu/a.com/", {.proxy = service.proxyUrl(), .timeoutMs = 3000});
  EXPECT_EQ(other.status, 200);
  EXPECT_EQ(hang.Receive(200), "");
  const Fetched timedOut =
      Fetch(kRank + "/baidu/hang.test/", {.proxy = service.proxyUrl(), .timeoutMs = 300});
  EXPECT_EQ(timedOut.code, CURLE_OPERATION_TIMEDOUT);

  EXPECT_EQ(service.Stop(), 0);
  EXPECT_EQ(service.Requests().size(), 4u);
}

TEST(SampleServiceTest, StopsWithExitCodeZeroOnSigintAndSigterm) {
  for (int signal : {SIGINT, SIGTERM}) {
    SampleService service;
    ASSERT_EQ(Fetch(service.proxyUrl() + "/baidu/a.com/").status, 200);
    EXPECT_EQ(service.Stop(signal), 0) << "signal " << signal;
  }
}

TEST(SampleServiceTest, LogShowsHeaderLinesRawAndEscaped) {
  SampleService service({.log = true});
  RawConnection connection(service.port());
  connection.Send(
      "GET /baidu/a.com/ HTTP/1.1\r\nHost: h\r\nReferer:  http://x/\r\n"
      "X-Bytes: \xe4\xb8\xad\t\\\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(connection.Receive(2000).rfind("HTTP/1.1 200 OK", 0), 0u);
  const std::vector<std::string> lines = service.LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "GET\t/baidu/a.com/\tHost: h\tReferer:  http://x/\tX-Bytes: \\xe4\\xb8\\xad\\t\\\\"
            "\tConnection: close");
  const LoggedRequest r = ParseLogLine(lines[0]);
  ASSERT_EQ(r.headers.size(), 4u);
  EXPECT_EQ(r.headers[1], (std::pair<std::string, std::string>{"Referer", "  http://x/"}));
  EXPECT_EQ(r.Header("referer"), "http://x/");
  EXPECT_EQ(r.Header("x-bytes"), "\xe4\xb8\xad\t\\");
}

// A CR or LF smuggled into a header value is no valid HTTP: the service
// answers 400 and logs what arrived, the stray byte visible inside its line.
TEST(SampleServiceTest, SmuggledLineBreakIsRefusedAndVisibleInTheLog) {
  static const struct {
    const char* name;
    std::string header;
    std::string logged;
  } cases[] = {
      {"bare LF", "X-A: a\nInjected: b", "\tX-A: a\\nInjected: b\t"},
      {"bare CR", "X-A: a\rInjected: b", "\tX-A: a\\rInjected: b\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SampleService service({.log = true});
    RawConnection connection(service.port());
    connection.Send("GET /baidu/a.com/ HTTP/1.1\r\nHost: h\r\n" + c.header +
                    "\r\nAccept: */*\r\n\r\n");
    EXPECT_EQ(connection.Receive(2000).rfind("HTTP/1.1 400", 0), 0u);
    const std::vector<std::string> lines = service.LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("<bad request>\t", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.logged), std::string::npos) << lines[0];
  }
}

TEST(SampleServiceTest, RequestTheParserRefusesIsLoggedAndAnswered400) {
  SampleService service({.log = true});
  RawConnection connection(service.port());
  connection.Send("GET /baidu/a.com/ HTTP/9.9\r\nHost: h\r\n\r\n");
  EXPECT_EQ(connection.Receive(2000).rfind("HTTP/1.1 400", 0), 0u);
  const std::vector<LoggedRequest> requests = service.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "<bad request>");
  ASSERT_EQ(requests[0].headers.size(), 2u);
  EXPECT_EQ(requests[0].headers[0].first, "GET /baidu/a.com/ HTTP/9.9");
}

TEST(SampleServiceTest, HeaderCutShortIsLoggedAndLeftUnanswered) {
  SampleService service({.log = true});
  RawConnection connection(service.port());
  connection.Send("GET /baidu/a.com/ HTTP/1.1\r\nHost: h\r\nX-Half");
  connection.EndSending();
  EXPECT_EQ(connection.Receive(2000), "");
  EXPECT_EQ(service.LogLines(),
            std::vector<std::string>{"<bad request>\tincomplete request header\t"
                                     "GET /baidu/a.com/ HTTP/1.1\tHost: h\tX-Half"});
}

}  // namespace
