// WebAccess against a recording request object: which members it calls, in
// which order and with which arguments, what it writes back into the request,
// and how it reads cookies and the redirect address out of the response
// headers.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "tests/web/recording_request_object.h"
#include "web/web_access.h"

namespace {

const Text kPage = "http://rank.example.com/baidu/a.com/";
const char kMobileAgent[] =
    "SetRequestHeader(\"User-Agent\",\" Mozilla/5.0 (Linux; U; Android 4.0.2; en-us; Galaxy "
    "Nexus Build/ICL53F) AppleWebKit/534.30 (KHTML, like Gecko) Version/4.0 Mobile "
    "Safari/534.30\")";

class WebAccessTest : public testing::Test {
 protected:
  std::vector<std::string> calls_;
  CannedResponse response_;
  RecordingFactoryScope scope_{calls_, response_};

  // A request for "http://h/", with the calls of earlier requests forgotten.
  WebRequest NewRequest() {
    calls_.clear();
    WebRequest request;
    request.url = "http://h/";
    return request;
  }

  // The recorded SetRequestHeader calls only.
  std::vector<std::string> HeaderCalls() const {
    std::vector<std::string> headers;
    for (const std::string& call : calls_) {
      if (call.starts_with("SetRequestHeader(")) headers.push_back(call);
    }
    return headers;
  }
};

TEST_F(WebAccessTest, ProgramsOwnRequest) {
  response_.body = {'<', 'p', '>'};
  WebRequest request;
  request.url = kPage;
  request.headerSet = "1";
  request.timeoutSeconds = 20;

  EXPECT_EQ(WebAccess(request), response_.body);

  const std::vector<std::string> expected = {
      "SetTimeouts(20000,20000,20000,20000)",
      "Open(\"GET\",\"" + kPage + "\",false)",
      "SetRequestHeader(\"Referer\",\" " + kPage + "\")",
      "SetRequestHeader(\"Accept\",\" */*\")",
      kMobileAgent,
      "Send(text \"\")",
      "ResponseBody()",
      "GetAllResponseHeaders()",
  };
  EXPECT_EQ(calls_, expected);
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.headerSet, "1");
  EXPECT_EQ(request.headers,
            "Referer: " + kPage +
                "\r\nAccept: */*\r\nUser-Agent: Mozilla/5.0 (Linux; U; Android 4.0.2; en-us; "
                "Galaxy Nexus Build/ICL53F) AppleWebKit/534.30 (KHTML, like Gecko) Version/4.0 "
                "Mobile Safari/534.30");
}

TEST_F(WebAccessTest, DesktopBlockWhenHeaderSetOmitted) {
  WebRequest request = NewRequest();
  WebAccess(request);

  EXPECT_EQ(request.headerSet, "0");
  const std::vector<std::string> expected = {
      "SetRequestHeader(\"Referer\",\" http://h/\")",
      "SetRequestHeader(\"Accept\",\" */*\")",
      "SetRequestHeader(\"Accept-Language\",\" zh-cn\")",
      "SetRequestHeader(\"User-Agent\",\" Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; "
      "Trident/5.0)\")",
      "SetRequestHeader(\"Content-Type\",\" application/x-www-form-urlencoded\")",
  };
  EXPECT_EQ(HeaderCalls(), expected);
}

TEST_F(WebAccessTest, MethodIsUpperCasedAndWrittenBack) {
  static const struct {
    const char* name;
    Text method;
    Text expected;
  } cases[] = {
      {"lower case", "post", "POST"},
      {"mixed case", "Get", "GET"},
      {"omitted", "", "GET"},
      {"second byte of a two-byte character stays", "p\x81\x61", "P\x81\x61"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = NewRequest();
    request.method = c.method;
    WebAccess(request);
    EXPECT_EQ(request.method, c.expected);
    EXPECT_EQ(calls_.at(1), "Open(\"" + c.expected + "\",\"http://h/\",false)");
  }
}

TEST_F(WebAccessTest, TimeoutTable) {
  static const struct {
    const char* name;
    int timeoutSeconds;
    const char* expectedCall;  // nullptr: SetTimeouts is not called
  } cases[] = {
      {"omitted or 0", 0, "SetTimeouts(15000,15000,15000,15000)"},
      {"negative", -5, "SetTimeouts(15000,15000,15000,15000)"},
      {"most negative", INT_MIN, "SetTimeouts(15000,15000,15000,15000)"},
      {"-1 keeps the object's own", -1, nullptr},
      {"one second", 1, "SetTimeouts(1000,1000,1000,1000)"},
      {"largest that fits", INT_MAX / 1000,
       "SetTimeouts(2147483000,2147483000,2147483000,2147483000)"},
      {"overflow held at the largest value", INT_MAX / 1000 + 1,
       "SetTimeouts(2147483647,2147483647,2147483647,2147483647)"},
      {"largest seconds", INT_MAX, "SetTimeouts(2147483647,2147483647,2147483647,2147483647)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = NewRequest();
    request.timeoutSeconds = c.timeoutSeconds;
    WebAccess(request);
    if (c.expectedCall) {
      EXPECT_EQ(calls_.at(0), c.expectedCall);
    } else {
      EXPECT_TRUE(calls_.at(0).starts_with("Open(")) << calls_.at(0);
    }
  }
}

TEST_F(WebAccessTest, HeaderLines) {
  static const struct {
    const char* name;
    Text headers;
    std::vector<std::string> expected;
  } cases[] = {
      {"colons in the value joined back",
       "X-Time: 12:30:05",
       {"SetRequestHeader(\"X-Time\",\" 12:30:05\")"}},
      {"trailing colon lost", "X-A: b:", {"SetRequestHeader(\"X-A\",\" b\")"}},
      {"one line without CR LF", "X-A: 1", {"SetRequestHeader(\"X-A\",\" 1\")"}},
      {"no colon at all", "X-A 1", {}},
      {"only colon is the last character", "X-A:", {}},
      {"two colons and nothing after", "X-A::", {"SetRequestHeader(\"X-A\",\"\")"}},
      {"empty name", ": v", {"SetRequestHeader(\"\",\" v\")"}},
      {"lines in order, colonless and empty lines skipped",
       "A: 1\r\nnone\r\n\r\nB:2\r\n",
       {"SetRequestHeader(\"A\",\" 1\")", "SetRequestHeader(\"B\",\"2\")"}},
      {"bare LF is inside one line", "A: 1\nB: 2", {"SetRequestHeader(\"A\",\" 1\nB: 2\")"}},
      {"name and value not trimmed", " A :  1 ", {"SetRequestHeader(\" A \",\"  1 \")"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = NewRequest();
    request.headers = c.headers;
    WebAccess(request);
    EXPECT_EQ(HeaderCalls(), c.expected);
    EXPECT_EQ(request.headers, c.headers);
  }
}

TEST_F(WebAccessTest, CookieHeaderComesBeforeTheHeaderLines) {
  WebRequest request = NewRequest();
  request.cookies = "a=1; b=2";
  request.headers = "X-A: 1";
  WebAccess(request);
  const std::vector<std::string> expected = {"SetRequestHeader(\"Cookie\",\"a=1; b=2\")",
                                             "SetRequestHeader(\"X-A\",\" 1\")"};
  EXPECT_EQ(HeaderCalls(), expected);
}

TEST_F(WebAccessTest, ProxyAndCredentials) {
  static const struct {
    const char* name;
    Text proxyAddress, proxyUser, proxyPassword;
    std::optional<int> credentialFlags;
    std::vector<std::string> expectedBeforeOpen;
  } cases[] = {
      {"proxy with credentials for the proxy",
       "127.0.0.1:8080",
       "u",
       "pw",
       std::nullopt,
       {"SetProxy(2,\"127.0.0.1:8080\")", "SetCredentials(\"u\",\"pw\",1)"}},
      {"flags given", "p:1", "u", "", 0, {"SetProxy(2,\"p:1\")", "SetCredentials(\"u\",\"\",0)"}},
      {"no user: no credentials", "p:1", "", "pw", std::nullopt, {"SetProxy(2,\"p:1\")"}},
      {"no proxy: nothing, whatever the user", "", "u", "pw", 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = NewRequest();
    request.timeoutSeconds = -1;
    request.proxyAddress = c.proxyAddress;
    request.proxyUser = c.proxyUser;
    request.proxyPassword = c.proxyPassword;
    request.credentialFlags = c.credentialFlags;
    WebAccess(request);
    std::vector<std::string> expected = c.expectedBeforeOpen;
    expected.push_back("Open(\"GET\",\"http://h/\",false)");
    EXPECT_EQ(std::vector<std::string>(calls_.begin(), calls_.begin() + expected.size()), expected);
  }
}

TEST_F(WebAccessTest, NoRedirectWritesOptionSixAfterOpen) {
  WebRequest request = NewRequest();
  request.timeoutSeconds = -1;
  request.noRedirect = true;
  WebAccess(request);
  EXPECT_EQ(calls_.at(0), "Open(\"GET\",\"http://h/\",false)");
  EXPECT_EQ(calls_.at(1), "Option(6,false)");
}

TEST_F(WebAccessTest, BodyBytesWinOverBodyText) {
  static const struct {
    const char* name;
    ByteSet bodyBytes;
    Text bodyText;
    std::string expectedSend;
  } cases[] = {
      {"bytes sent, text ignored",
       {'a', 0, 'b'},
       "t=1",
       "Send(bytes \"" + std::string("a\0b", 3) + "\")"},
      {"no bytes: text sent", {}, "t=1", "Send(text \"t=1\")"},
      {"neither: empty text", {}, "", "Send(text \"\")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequest request = NewRequest();
    request.method = "POST";
    request.bodyBytes = c.bodyBytes;
    request.bodyText = c.bodyText;
    WebAccess(request);
    const size_t send = calls_.size() - 3;
    EXPECT_EQ(calls_.at(send), c.expectedSend);
    EXPECT_EQ(request.bodyBytes, c.bodyBytes);
    EXPECT_EQ(request.bodyText, c.bodyText);
  }
}

TEST_F(WebAccessTest, CookiesAndRedirectAddressFromResponseHeaders) {
  static const struct {
    const char* name;
    Text responseHeaders;
    Text redirectBefore;
    Text expectedCookies;
    Text expectedRedirect;
  } cases[] = {
      {"two cookies", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n", "", "a=1; b=2; ",
       "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n"},
      {"cookie without semicolon adds an empty entry", "Set-Cookie: c=3\r\n", "", "; ",
       "Set-Cookie: c=3\r\n"},
      {"lower-case set-cookie not collected", "set-cookie: d=4\r\n", "", "", "set-cookie: d=4\r\n"},
      {"Content-Location counts and the last wins", "Location: /next\r\nContent-Location: /z\r\n",
       "", "", "Content- /z"},
      {"location trimmed", "Location:  /next \r\nX: y\r\n", "", "", "/next"},
      {"location replaces the caller's value", "Location: /next\r\n", "mine", "", "/next"},
      {"no location: whole header text", "Server: s\r\nX: y\r\n", "", "", "Server: s\r\nX: y\r\n"},
      {"no location: caller's value kept", "Server: s\r\n", "mine", "", "mine"},
      {"presence test is case-sensitive", "LOCATION: /x\r\n", "", "", "LOCATION: /x\r\n"},
      {"no response", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    response_.headers = c.responseHeaders;
    WebRequest request = NewRequest();
    request.receivedCookies = "old=1; ";
    request.responseHeaders = "old";
    request.redirectAddress = c.redirectBefore;
    WebAccess(request);
    EXPECT_EQ(request.responseHeaders, c.responseHeaders);
    EXPECT_EQ(request.receivedCookies, c.expectedCookies);
    EXPECT_EQ(request.redirectAddress, c.expectedRedirect);
  }
}

auto AllFields(const WebRequest& r) {
  return std::tie(r.url, r.method, r.bodyText, r.cookies, r.receivedCookies, r.headers,
                  r.redirectAddress, r.headerSet, r.noRedirect, r.timeoutSeconds, r.proxyAddress,
                  r.proxyUser, r.proxyPassword, r.credentialFlags, r.responseHeaders, r.bodyBytes);
}

TEST_F(WebAccessTest, CallerInputsAreNotChanged) {
  response_.headers = "Location: /x\r\n";
  WebRequest request;
  request.url = "http://h/";
  request.method = "GET";
  request.headers = "X: 1";
  request.headerSet = "1";
  request.bodyText = "t";
  request.cookies = "c=1";
  request.proxyAddress = "p:1";
  request.proxyUser = "u";
  request.proxyPassword = "pw";
  request.bodyBytes = {1, 2};
  WebRequest expected = request;
  expected.responseHeaders = "Location: /x\r\n";
  expected.redirectAddress = "/x";
  WebAccess(request);
  EXPECT_EQ(AllFields(request), AllFields(expected));
}

// A factory that never makes an object and counts how often it was asked.
RequestObjectFactory NoObjectFactory(int& made) {
  return [&made] {
    ++made;
    return std::unique_ptr<RequestObject>();
  };
}

TEST(WebAccessWithoutObjectTest, EmptyResultAndNoFieldTouched) {
  int made = 0;
  const FactoryScope scope(NoObjectFactory(made));
  WebRequest request;
  request.url = "http://h/";
  request.method = "post";
  request.receivedCookies = "r";
  request.redirectAddress = "a";
  request.responseHeaders = "h";
  const WebRequest before = request;
  EXPECT_TRUE(WebAccess(request).empty());
  EXPECT_EQ(made, 1);
  EXPECT_EQ(AllFields(request), AllFields(before));
}

TEST(CreateRequestObjectTest, OnlyTheWinHttpProgIdGetsAnObject) {
  static const struct {
    const char* progId;
    bool made;
  } cases[] = {
      {"WinHttp.WinHttpRequest.5.1", true},
      {"winhttp.winhttprequest.5.1", true},
      {"WinHttp.WinHttpRequest.5", false},
      {"Msxml2.XMLHTTP", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreateRequestObject(c.progId) != nullptr, c.made) << c.progId;
  }
}

TEST(CreateRequestObjectTest, FactoryAskedOnlyForTheWinHttpProgId) {
  int made = 0;
  const FactoryScope scope(NoObjectFactory(made));
  EXPECT_EQ(CreateRequestObject("Msxml2.XMLHTTP"), nullptr);
  EXPECT_EQ(made, 0);
  EXPECT_EQ(CreateRequestObject(kWinHttpRequestProgId), nullptr);
  EXPECT_EQ(made, 1);
}

}  // namespace
