// WebAccess over the libcurl request object against a loopback responder:
// request bodies and cookies as they cross the wire, and body bytes as they
// come back. GBK 中文 is D6 D0 CE C4, UTF-8 中文 is E4 B8 AD E6 96 87.
#include <gtest/gtest.h>

#include "tests/web/loopback_responder.h"
#include "web/web_access.h"

namespace {

std::string Response(const std::string& headerLines, const std::string& body) {
  return "HTTP/1.1 200 OK\r\n" + headerLines + "Content-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

TEST(WebAccessWireTest, PostBodies) {
  static const struct {
    const char* name;
    Text bodyText;
    ByteSet bodyBytes;
    std::string expectedBody;
  } cases[] = {
      {"text body as UTF-8", "q=\xD6\xD0\xCE\xC4", {}, "q=\xE4\xB8\xAD\xE6\x96\x87"},
      {"byte body unchanged",
       "ignored",
       {0x00, 0xFF, '\r', '\n', 0xD6},
       std::string("\0\xFF\r\n\xD6", 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackResponder responder(Response("", "ok"));
    WebRequest request;
    request.url = responder.Url("/form");
    request.method = "post";
    request.bodyText = c.bodyText;
    request.bodyBytes = c.bodyBytes;
    EXPECT_EQ(WebAccess(request), ByteSet({'o', 'k'}));
    ASSERT_EQ(responder.Requests().size(), 1u);
    const std::string raw = responder.Requests()[0];
    EXPECT_TRUE(raw.starts_with("POST /form HTTP/1.1\r\n")) << raw;
    EXPECT_NE(RequestHead(raw).find("\r\nContent-Type: application/x-www-form-urlencoded"),
              std::string::npos);
    EXPECT_EQ(RequestBody(raw), c.expectedBody);
  }
}

TEST(WebAccessWireTest, CookiesInAndOut) {
  LoopbackResponder responder(Response(
      "Set-Cookie: sid=abc; Path=/\r\nSet-Cookie: lang=zh-cn; HttpOnly\r\nset-cookie: x=1\r\n",
      ""));
  WebRequest request;
  request.url = responder.Url("/");
  request.cookies = "a=1; b=2";
  WebAccess(request);
  ASSERT_EQ(responder.Requests().size(), 1u);
  EXPECT_NE(RequestHead(responder.Requests()[0]).find("\r\nCookie: a=1; b=2\r\n"),
            std::string::npos);
  EXPECT_EQ(request.receivedCookies, "sid=abc; lang=zh-cn; ");
  EXPECT_EQ(request.cookies, "a=1; b=2");
}

TEST(WebAccessWireTest, BodyBytesArriveUnchanged) {
  std::string body;
  for (int i = 0; i < 256; ++i) body += static_cast<char>(i);
  body += "\r\n\r\n" + body;
  LoopbackResponder responder(Response("Content-Type: application/octet-stream\r\n", body));
  WebRequest request;
  request.url = responder.Url("/bytes");
  EXPECT_EQ(WebAccess(request), ByteSet(body.begin(), body.end()));
  EXPECT_EQ(request.responseHeaders,
            "Content-Type: application/octet-stream\r\nContent-Length: 516\r\n"
            "Connection: close\r\n");
}

}  // namespace
