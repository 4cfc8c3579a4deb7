// The request object over libcurl. Configuration is kept in the object and
// handed to a fresh easy handle by Send, so members may be called in any
// order before it; each Send is one transfer on a new connection.
//
// Wire behaviour: HTTP/1.1 (header names reach GetAllResponseHeaders in the
// server's own spelling), http and https only, redirects followed up to 10
// times. No proxy set: libcurl's http_proxy / https_proxy / no_proxy
// environment variables apply. Only the headers the caller set go out besides
// Host, Content-Length and Proxy-Authorization: libcurl's own Accept,
// Content-Type, Expect and Proxy-Connection lines are suppressed. A response
// body over 64 MiB fails the request.
//
// Time-outs: resolve + connect bound the connection set-up; the larger of
// send and receive is the longest the transfer may stall (no byte moving, in
// whole seconds); the sum of all four bounds the whole request, so a server
// that trickles bytes cannot hold it for ever. Until SetTimeouts is called
// each stage has 30 s.
//
// libcurl's global state is set up by the first object and kept for the life
// of the process; there is nothing to set up or tear down per request.
#ifndef RUZIDUZ_WEB_CURL_REQUEST_OBJECT_H_
#define RUZIDUZ_WEB_CURL_REQUEST_OBJECT_H_

#include <optional>
#include <string>
#include <vector>

#include "web/request_object.h"

struct curl_slist;

class CurlRequestObject : public RequestObject {
 public:
  CurlRequestObject();

  void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override;
  void SetProxy(int setting, const Text& proxyServer) override;
  void SetCredentials(const Text& user, const Text& password, int flags) override;
  void Open(const Text& method, const Text& url, bool async) override;
  void Option(int index, bool value) override;
  void SetRequestHeader(const Text& name, const Text& value) override;
  void Send(const Text& body) override;
  void Send(const ByteSet& body) override;
  ByteSet ResponseBody() override;
  Text GetAllResponseHeaders() override;

  // The largest response body accepted.
  static constexpr size_t kMaxBodyBytes = size_t{64} << 20;
  static constexpr long kMaxRedirects = 10;

 private:
  struct Credentials {
    std::string user, password;
  };

  void ForgetResponse();
  // A new list of the header lines to send; the caller frees it.
  curl_slist* BuildHeaderList() const;
  // Runs the opened request with the given body and keeps its response, or
  // forgets any response when the transfer fails.
  void Perform(const std::string& body);

  int resolveMs_ = 30000, connectMs_ = 30000, sendMs_ = 30000, receiveMs_ = 30000;
  std::optional<std::string> proxy_;  // unset: the environment decides; "": none
  std::optional<Credentials> proxyCredentials_, serverCredentials_;
  bool followRedirects_ = true;

  bool opened_ = false;
  std::string method_, url_;              // as sent: a method token, an encoded UTF-8 address
  std::vector<std::string> headerLines_;  // "Name: value" or "Name;" as libcurl takes them
  std::vector<std::string> headerNames_;  // upper-cased, to know which defaults to suppress

  bool hasResponse_ = false;
  ByteSet responseBody_;
  std::vector<std::string> responseHeaderLines_;  // of the last header block, without line ends
};

#endif  // RUZIDUZ_WEB_CURL_REQUEST_OBJECT_H_
