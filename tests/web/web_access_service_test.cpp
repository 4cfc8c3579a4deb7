// WebAccess against the sample ranking service on loopback: the program's own
// request, redirects, proxies, and the fault domains that end in a time-out, a
// refused connection or an oversized body.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "tests/support/sample_service.h"
#include "tests/support/scoped_env.h"
#include "tests/web/peak_resident.h"
#include "tools/sample-service/fault_pages.h"
#include "tools/sample-service/sample_pages.h"
#include "web/web_access.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const char kMobileAgent[] =
    "Mozilla/5.0 (Linux; U; Android 4.0.2; en-us; Galaxy Nexus Build/ICL53F) AppleWebKit/534.30 "
    "(KHTML, like Gecko) Version/4.0 Mobile Safari/534.30";

// Where redirect.test sends its pages.
constexpr char kRedirectTarget[] = "www.example.com";

std::string PageUrl(const std::string& domain) {
  return "http://rank.example.com/baidu/" + domain + "/";
}

ByteSet Bytes(const std::string& text) { return ByteSet(text.begin(), text.end()); }

class WebAccessServiceTest : public testing::Test {
 protected:
  SampleService service_{SampleService::Options{.log = true}};

  // The program's own request for `url`, through the service as the named proxy.
  WebRequest ProgramRequest(const std::string& url) const {
    WebRequest request;
    request.url = url;
    request.headerSet = "1";
    request.timeoutSeconds = 20;
    request.proxyAddress = "127.0.0.1:" + std::to_string(service_.port());
    return request;
  }
};

TEST_F(WebAccessServiceTest, ProgramsRequestThroughHttpProxyVariable) {
  ScopedEnv proxy("http_proxy", service_.proxyUrl());
  WebRequest request;
  request.url = PageUrl("a.com");
  request.headerSet = "1";
  request.timeoutSeconds = 20;

  EXPECT_EQ(WebAccess(request), Bytes(RankingPage("a.com", 1)));

  const std::vector<LoggedRequest> logged = service_.Requests();
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0].method, "GET");
  EXPECT_EQ(logged[0].target, PageUrl("a.com"));
  // Raw values: exactly one blank after each colon.
  const std::vector<std::pair<std::string, std::string>> expectedHeaders = {
      {"Host", " rank.example.com"},
      {"Referer", " " + PageUrl("a.com")},
      {"Accept", " */*"},
      {"User-Agent", std::string(" ") + kMobileAgent},
  };
  EXPECT_EQ(logged[0].headers, expectedHeaders);
}

TEST_F(WebAccessServiceTest, HeaderWithLineBreakIsRefusedTheOthersSent) {
  WebRequest request = ProgramRequest(PageUrl("a.com"));
  request.headers = "X-A: 1\r\nX-Bad: a\nX-Injected: 1\r\nX-C: 3";
  EXPECT_EQ(WebAccess(request), Bytes(RankingPage("a.com", 1)));
  const std::vector<LoggedRequest> logged = service_.Requests();
  ASSERT_EQ(logged.size(), 1u);
  const std::vector<std::pair<std::string, std::string>> expectedHeaders = {
      {"Host", " rank.example.com"}, {"X-A", " 1"}, {"X-C", " 3"}};
  EXPECT_EQ(logged[0].headers, expectedHeaders);
}

TEST_F(WebAccessServiceTest, CookiesAreSent) {
  WebRequest request = ProgramRequest(PageUrl("a.com"));
  request.cookies = "a=1; b=2";
  WebAccess(request);
  ASSERT_EQ(service_.Requests().size(), 1u);
  EXPECT_EQ(service_.Requests()[0].Header("Cookie"), "a=1; b=2");
}

TEST_F(WebAccessServiceTest, Redirects) {
  static const struct {
    const char* name;
    std::string domain;
    bool noRedirect;
    bool expectPage;  // the body is the redirect target's page; otherwise empty
    size_t expectedRequests;
  } cases[] = {
      {"followed by default", "redirect.test", false, true, 2},
      {"loop ends after ten redirects", "loop.test", false, false, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SampleService service({.log = true});
    WebRequest request = ProgramRequest(PageUrl(c.domain));
    request.proxyAddress = "127.0.0.1:" + std::to_string(service.port());
    const ByteSet body = WebAccess(request);
    EXPECT_EQ(body, c.expectPage ? Bytes(RankingPage(kRedirectTarget, 1)) : ByteSet());
    EXPECT_EQ(service.Requests().size(), c.expectedRequests);
  }
}

TEST_F(WebAccessServiceTest, NoRedirectGivesTheFirstResponse) {
  WebRequest request = ProgramRequest(PageUrl("redirect.test"));
  request.noRedirect = true;
  const ByteSet body = WebAccess(request);
  EXPECT_EQ(service_.Requests().size(), 1u);
  EXPECT_EQ(request.redirectAddress, PageUrl(kRedirectTarget));
  EXPECT_FALSE(body.empty());
  EXPECT_NE(body, Bytes(RankingPage(kRedirectTarget, 1)));
}

TEST_F(WebAccessServiceTest, ProxyParameters) {
  static const struct {
    const char* name;
    Text proxyUser, proxyPassword;
    std::string expectedAuthorization;
  } cases[] = {
      {"credentials for the proxy", "user", "pass", "Basic dXNlcjpwYXNz"},
      {"no user, no credentials", "", "pass", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SampleService service({.log = true});
    WebRequest request = ProgramRequest(PageUrl("a.com"));
    request.proxyAddress = "127.0.0.1:" + std::to_string(service.port());
    request.proxyUser = c.proxyUser;
    request.proxyPassword = c.proxyPassword;
    EXPECT_EQ(WebAccess(request), Bytes(RankingPage("a.com", 1)));
    const std::vector<LoggedRequest> logged = service.Requests();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].target, PageUrl("a.com"));
    EXPECT_EQ(logged[0].Header("Proxy-Authorization"), c.expectedAuthorization);
  }
}

TEST_F(WebAccessServiceTest, NamedProxyWinsOverTheVariable) {
  ScopedEnv proxy("http_proxy", "http://127.0.0.1:1");
  WebRequest request = ProgramRequest(PageUrl("a.com"));
  EXPECT_EQ(WebAccess(request), Bytes(RankingPage("a.com", 1)));
}

TEST_F(WebAccessServiceTest, WithoutProxyTheServiceIsAskedDirectly) {
  WebRequest request = ProgramRequest(service_.proxyUrl() + "/baidu/a.com/");
  request.proxyAddress = Text();
  EXPECT_EQ(WebAccess(request), Bytes(RankingPage("a.com", 1)));
  ASSERT_EQ(service_.Requests().size(), 1u);
  EXPECT_EQ(service_.Requests()[0].target, "/baidu/a.com/");
}

TEST_F(WebAccessServiceTest, ErrorPageBodyIsReturned) {
  WebRequest request = ProgramRequest(PageUrl("error500.test"));
  EXPECT_EQ(WebAccess(request), Bytes(ServerErrorPage()));
}

TEST_F(WebAccessServiceTest, FailedTransfersGiveNoResponse) {
  static const struct {
    const char* name;
    std::string domain;
    int timeoutSeconds;
    milliseconds bound;
  } cases[] = {
      {"server never answers", "hang.test", 1, milliseconds(5000)},
      {"one byte a second ends at the sum of the time-outs", "trickle.test", 1,
       milliseconds(4000 + 2500)},
      {"body cut off by a reset", "reset.test", 20, milliseconds(5000)},
      {"1 GiB body refused", "huge.test", 20, milliseconds(5000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = ProgramRequest(PageUrl(c.domain));
    request.timeoutSeconds = c.timeoutSeconds;
    request.redirectAddress = "kept";
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(WebAccess(request).empty());
    EXPECT_LT(Clock::now() - start, c.bound);
    EXPECT_EQ(request.responseHeaders, "");
    EXPECT_EQ(request.receivedCookies, "");
    EXPECT_EQ(request.redirectAddress, "kept");
  }
}

TEST_F(WebAccessServiceTest, HugeBodyKeepsMemoryBounded) {
  const long peakBefore = PeakResidentKiB();
  WebRequest request = ProgramRequest(PageUrl("huge.test"));
  EXPECT_TRUE(WebAccess(request).empty());
  EXPECT_LT(PeakResidentKiB() - peakBefore, 256 * 1024);
}

// A port nothing listens on: bound, never listened to, closed at the end.
class UnusedPort {
 public:
  UnusedPort() : socket_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(socket_, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~UnusedPort() { close(socket_); }
  int port() const { return port_; }

 private:
  int socket_;
  int port_ = 0;
};

TEST(WebAccessRefusedTest, RefusedPortGivesEmptyAtOnce) {
  UnusedPort unused;
  WebRequest request;
  request.url = "http://127.0.0.1:" + std::to_string(unused.port()) + "/baidu/a.com/";
  request.headerSet = "1";
  request.timeoutSeconds = 20;
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(WebAccess(request).empty());
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_EQ(request.responseHeaders, "");
  EXPECT_EQ(request.redirectAddress, "");
}

}  // namespace
