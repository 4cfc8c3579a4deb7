// The libcurl request object against a loopback responder: what goes out on
// the wire for each member call, and what the object makes of what comes back.
// GBK 中文 is D6 D0 CE C4, UTF-8 中文 is E4 B8 AD E6 96 87.
#include <gtest/gtest.h>

#include "tests/web/loopback_responder.h"
#include "tests/web/peak_resident.h"
#include "web/curl_request_object.h"

namespace {

const char kOkResponse[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

std::string HostLine(const LoopbackResponder& responder) {
  return "Host: 127.0.0.1:" + std::to_string(responder.port());
}

TEST(CurlRequestObjectTest, HeaderLinesOnTheWire) {
  LoopbackResponder responder(kOkResponse);
  CurlRequestObject object;
  object.Open("GET", responder.Url("/p"), false);
  object.SetRequestHeader("Accept", " */*");
  object.SetRequestHeader("X-Two-Blanks", "  b");
  object.SetRequestHeader("Cookie", "a=1; b=2");
  object.SetRequestHeader("X-Empty", "");
  object.SetRequestHeader("X-Blank", " ");
  object.SetRequestHeader("X-Name", " \xD6\xD0\xCE\xC4");
  object.Send(Text());

  ASSERT_EQ(responder.Requests().size(), 1u);
  EXPECT_EQ(RequestHead(responder.Requests()[0]),
            "GET /p HTTP/1.1\r\n" + HostLine(responder) +
                "\r\nAccept: */*\r\nX-Two-Blanks: b\r\nCookie: a=1; b=2\r\nX-Empty:\r\n"
                "X-Blank:\r\nX-Name: \xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_EQ(object.ResponseBody(), ByteSet({'o', 'k'}));
}

TEST(CurlRequestObjectTest, RefusedHeadersAreSkippedAndTheRequestGoesOn) {
  static const struct {
    const char* name;
    Text headerName;
    Text value;
  } refused[] = {
      {"CR LF in the value", "X-Bad", " a\r\nX-Injected: 1"},
      {"bare LF in the value", "X-Bad", " a\nX-Injected: 1"},
      {"bare CR in the value", "X-Bad", " a\rX-Injected: 1"},
      {"LF in the name", "X-Injected: 1\nX-Bad", " a"},
      {"colon in the name", "X-Injected: 1\r\nX", "a"},
      {"empty name", "", " a"},
      {"name starting with a blank", " X-Folded", " a"},
      {"non-ASCII name", "X-\xD6\xD0", " a"},
      {"value GBK cannot read", "X-Bad", " a\xD6"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    LoopbackResponder responder(kOkResponse);
    CurlRequestObject object;
    object.Open("GET", responder.Url("/p"), false);
    object.SetRequestHeader(c.headerName, c.value);
    object.SetRequestHeader("X-After", " 1");
    object.Send(Text());
    ASSERT_EQ(responder.Requests().size(), 1u);
    EXPECT_EQ(RequestHead(responder.Requests()[0]),
              "GET /p HTTP/1.1\r\n" + HostLine(responder) + "\r\nX-After: 1");
    EXPECT_EQ(object.ResponseBody(), ByteSet({'o', 'k'}));
  }
}

TEST(CurlRequestObjectTest, MethodsAndBodies) {
  static const struct {
    const char* name;
    Text method;
    bool asBytes;
    std::string body;
    std::string expectedHead;  // after the Host line
    std::string expectedBody;
  } cases[] = {
      {"GET without body", "GET", false, "", "GET /p HTTP/1.1", ""},
      {"POST text as UTF-8", "POST", false, "q=\xD6\xD0\xCE\xC4", "POST /p HTTP/1.1",
       "q=\xE4\xB8\xAD\xE6\x96\x87"},
      {"POST bytes unchanged", "POST", true, std::string("\0\xFF\r\n\xD6", 5), "POST /p HTTP/1.1",
       std::string("\0\xFF\r\n\xD6", 5)},
      {"POST without body", "POST", false, "", "POST /p HTTP/1.1", ""},
      {"PUT with body", "PUT", false, "x", "PUT /p HTTP/1.1", "x"},
      {"DELETE without body", "DELETE", false, "", "DELETE /p HTTP/1.1", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackResponder responder(kOkResponse);
    CurlRequestObject object;
    object.Open(c.method, responder.Url("/p"), false);
    if (c.asBytes) {
      object.Send(ByteSet(c.body.begin(), c.body.end()));
    } else {
      object.Send(Text(c.body));
    }
    ASSERT_EQ(responder.Requests().size(), 1u);
    const std::string raw = responder.Requests()[0];
    std::string expectedHead = c.expectedHead + "\r\n" + HostLine(responder);
    if (c.method != "GET" && c.method != "DELETE") {
      expectedHead += "\r\nContent-Length: " + std::to_string(c.expectedBody.size());
    }
    EXPECT_EQ(RequestHead(raw), expectedHead);
    EXPECT_EQ(RequestBody(raw), c.expectedBody);
  }
}

TEST(CurlRequestObjectTest, AddressIsSentAsEncodedUtf8) {
  LoopbackResponder responder(kOkResponse);
  CurlRequestObject object;
  object.Open("GET", responder.Url("/baidu/\xD6\xD0 x/?q=\xCE\xC4&r=%41"), false);
  object.Send(Text());
  ASSERT_EQ(responder.Requests().size(), 1u);
  EXPECT_TRUE(responder.Requests()[0].starts_with(
      "GET /baidu/%E4%B8%AD%20x/?q=%E6%96%87&r=%41 HTTP/1.1\r\n"))
      << responder.Requests()[0];
}

TEST(CurlRequestObjectTest, RefusedOpenSendsNothing) {
  static const struct {
    const char* name;
    Text method;
    Text url;
    bool async;
  } cases[] = {
      {"asynchronous", "GET", "/p", true},
      {"empty method", "", "/p", false},
      {"blank in the method", "GET /x HTTP/1.0\r\nX:", "/p", false},
      {"address GBK cannot read", "GET", "/p\xD6", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackResponder responder(kOkResponse);
    CurlRequestObject object;
    object.Open(c.method, responder.Url(c.url), c.async);
    object.SetRequestHeader("X-A", " 1");
    object.Send(Text());
    EXPECT_TRUE(object.ResponseBody().empty());
    EXPECT_TRUE(object.GetAllResponseHeaders().empty());
    EXPECT_TRUE(responder.Requests().empty());
  }
}

TEST(CurlRequestObjectTest, HeadersOfTheFinalResponseOnly) {
  static const struct {
    const char* name;
    std::string response;
    Text expectedHeaders;
  } cases[] = {
      {"status line left out, CR LF after each line",
       "HTTP/1.1 200 OK\r\nX-A: 1\r\nContent-Length: 0\r\n\r\n", "X-A: 1\r\nContent-Length: 0\r\n"},
      {"interim response dropped",
       "HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\nHTTP/1.1 200 OK\r\nX-Final: 1\r\n"
       "Content-Length: 0\r\n\r\n",
       "X-Final: 1\r\nContent-Length: 0\r\n"},
      {"bare LF line ends", "HTTP/1.1 200 OK\nX-A: 1\nContent-Length: 0\n\n",
       "X-A: 1\r\nContent-Length: 0\r\n"},
      {"UTF-8 value as GBK",
       "HTTP/1.1 200 OK\r\nX-N: \xE4\xB8\xAD\xE6\x96\x87\r\nContent-Length: 0\r\n\r\n",
       "X-N: \xD6\xD0\xCE\xC4\r\nContent-Length: 0\r\n"},
      {"ISO-8859-1 value kept as GB18030",
       "HTTP/1.1 200 OK\r\nX-L: caf\xE9\r\nContent-Length: 0\r\n\r\n",
       "X-L: caf\xA8\xA6\r\nContent-Length: 0\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackResponder responder(c.response);
    CurlRequestObject object;
    object.Open("GET", responder.Url("/p"), false);
    object.Send(Text());
    EXPECT_EQ(object.GetAllResponseHeaders(), c.expectedHeaders);
  }
}

TEST(CurlRequestObjectTest, FailedSendLeavesNoResponse) {
  LoopbackResponder responder(kOkResponse);
  CurlRequestObject object;
  object.Open("GET", responder.Url("/p"), false);
  object.Send(Text());
  ASSERT_FALSE(object.GetAllResponseHeaders().empty());
  object.Send(Text("\xD6"));  // a text body GBK cannot read fails the send
  EXPECT_TRUE(object.ResponseBody().empty());
  EXPECT_TRUE(object.GetAllResponseHeaders().empty());
}

TEST(CurlRequestObjectTest, EndlessChunkedBodyFailsAtTheCap) {
  LoopbackResponder responder("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", true);
  const long peakBefore = PeakResidentKiB();
  CurlRequestObject object;
  object.SetTimeouts(5000, 5000, 5000, 5000);
  object.Open("GET", responder.Url("/p"), false);
  object.Send(Text());
  EXPECT_TRUE(object.ResponseBody().empty());
  EXPECT_TRUE(object.GetAllResponseHeaders().empty());
  // The cap is 64 MiB; the body buffer may briefly hold twice that while it
  // grows. Without the cap the stream fills memory until the 20 s limit.
  EXPECT_LT(PeakResidentKiB() - peakBefore, 256 * 1024);
}

}  // namespace
