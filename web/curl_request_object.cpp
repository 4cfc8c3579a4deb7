#include "web/curl_request_object.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "text/text.h"
#include "web/wire_text.h"

namespace {

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// What the callbacks of one transfer collect.
struct Transfer {
  ByteSet body;
  std::vector<std::string> headerLines;
};

// Body bytes. Returning less than was offered makes libcurl abort with
// CURLE_WRITE_ERROR, which is how an oversized body fails the request.
size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (bytes > CurlRequestObject::kMaxBodyBytes - transfer->body.size()) return 0;
  transfer->body.insert(transfer->body.end(), data, data + bytes);
  return bytes;
}

// One header line at a time, ended by CR LF (or LF), of every response the
// transfer sees: a proxy's CONNECT answer, 1xx answers and each redirect come
// before the final response. A status line ("HTTP/1.1 302 Found") starts a new
// response, so everything collected before it is dropped, and the body too
// (libcurl skips redirect bodies, but nothing is lost by making sure). The
// blank line that ends a block is not kept.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  std::string line(data, bytes);
  if (line.ends_with('\n')) line.pop_back();
  if (line.ends_with('\r')) line.pop_back();
  if (line.starts_with("HTTP/")) {
    transfer->headerLines.clear();
    transfer->body.clear();
  } else if (!line.empty()) {
    transfer->headerLines.push_back(line);
  }
  return bytes;
}

// Methods and header names are HTTP tokens (ASCII letters, digits and a few
// marks). Anything else could break the request: a blank or line break in a
// method splits the request line, a colon in a name shifts the value, and a
// name that starts with a blank turns its line into a continuation of the
// header line before it.
bool IsHttpToken(const std::string& text) {
  static constexpr std::string_view kTokenMarks = "!#$%&'*+-.^_`|~";
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kTokenMarks.find(c) != std::string_view::npos;
  });
}

bool HoldsLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// The value as libcurl takes it. The value's leading blanks are the optional
// white space after the colon, so the line is written with exactly one blank
// there whatever the caller put; an empty value needs libcurl's "Name;" form,
// since "Name:" would remove the header instead.
std::string HeaderLine(const std::string& name, const std::string& value) {
  const size_t valueStart = value.find_first_not_of(" \t");
  if (valueStart == std::string::npos) return name + ";";
  return name + ": " + value.substr(valueStart);
}

// Method and body. libcurl sends a body only with its POST machinery, so any
// other method with a body is POST with the method's name put in its place.
void SetMethodAndBody(CURL* curl, const std::string& method, const std::string& body) {
  if (body.empty() && method == "GET") {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  } else if (body.empty() && method == "HEAD") {
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
  } else if (body.empty() && method != "POST") {
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
  } else {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    if (method != "POST") curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
  }
}

// The four stage limits as libcurl's limits; a stage of 0 ms or less has no
// limit, and then neither has the sum. libcurl's stall limit counts whole
// seconds, so it is rounded up.
void SetTimeLimits(CURL* curl, int resolveMs, int connectMs, int sendMs, int receiveMs) {
  if (resolveMs > 0 && connectMs > 0) {
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long{resolveMs} + connectMs);
  }
  if (sendMs > 0 && receiveMs > 0) {
    const long stallMs = std::max(sendMs, receiveMs);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, (stallMs + 999) / 1000);
  }
  if (resolveMs > 0 && connectMs > 0 && sendMs > 0 && receiveMs > 0) {
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS,
                     long{resolveMs} + long{connectMs} + long{sendMs} + long{receiveMs});
  }
}

}  // namespace

CurlRequestObject::CurlRequestObject() {
  // Once per process, never cleaned up: this libcurl is built thread-safe, and
  // requests may run until the process ends.
  static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
  (void)initialised;
}

void CurlRequestObject::SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) {
  resolveMs_ = resolveMs;
  connectMs_ = connectMs;
  sendMs_ = sendMs;
  receiveMs_ = receiveMs;
}

void CurlRequestObject::SetProxy(int setting, const Text& proxyServer) {
  if (setting == kProxyDefault) {
    proxy_.reset();
  } else if (setting == kProxyDirect) {
    proxy_ = "";
  } else if (setting == kProxyNamed) {
    const std::optional<std::string> server = TextToWire(proxyServer);
    if (server && !server->empty() && !HoldsLineBreak(*server)) proxy_ = *server;
  }
}

void CurlRequestObject::SetCredentials(const Text& user, const Text& password, int flags) {
  const std::optional<std::string> wireUser = TextToWire(user);
  const std::optional<std::string> wirePassword = TextToWire(password);
  if (!wireUser || !wirePassword) return;
  if (flags == kCredentialsForProxy) proxyCredentials_ = Credentials{*wireUser, *wirePassword};
  if (flags == kCredentialsForServer) serverCredentials_ = Credentials{*wireUser, *wirePassword};
}

void CurlRequestObject::Open(const Text& method, const Text& url, bool async) {
  opened_ = false;
  headerLines_.clear();
  headerNames_.clear();
  ForgetResponse();
  const std::optional<std::string> wireUrl = TextToWire(url);
  if (async || !IsHttpToken(method) || !wireUrl || wireUrl->empty()) return;
  method_ = method;
  url_ = PercentEncodeUrl(*wireUrl);
  opened_ = true;
}

void CurlRequestObject::Option(int index, bool value) {
  if (index == kOptionEnableRedirects) followRedirects_ = value;
}

void CurlRequestObject::SetRequestHeader(const Text& name, const Text& value) {
  const std::optional<std::string> wireName = TextToWire(name);
  const std::optional<std::string> wireValue = TextToWire(value);
  if (!opened_ || !wireName || !wireValue || !IsHttpToken(*wireName) ||
      HoldsLineBreak(*wireValue)) {
    return;
  }
  headerLines_.push_back(HeaderLine(*wireName, *wireValue));
  // A token is all ASCII, so the text upper-casing folds every letter of it.
  headerNames_.push_back(ToUpper(*wireName));
}

void CurlRequestObject::Send(const Text& body) {
  const std::optional<std::string> wireBody = TextToWire(body);
  if (wireBody) {
    Perform(*wireBody);
  } else {
    ForgetResponse();
  }
}

void CurlRequestObject::Send(const ByteSet& body) {
  Perform(std::string(body.begin(), body.end()));
}

ByteSet CurlRequestObject::ResponseBody() { return hasResponse_ ? responseBody_ : ByteSet(); }

Text CurlRequestObject::GetAllResponseHeaders() {
  Text headers;
  if (!hasResponse_) return headers;
  for (const std::string& line : responseHeaderLines_) headers += WireToText(line) + "\r\n";
  return headers;
}

void CurlRequestObject::ForgetResponse() {
  hasResponse_ = false;
  responseBody_.clear();
  responseHeaderLines_.clear();
}

// The caller's header lines, then a removal line ("Name:") for each header
// libcurl would add of its own accord that the caller did not set.
curl_slist* CurlRequestObject::BuildHeaderList() const {
  curl_slist* list = nullptr;
  for (const std::string& line : headerLines_) list = curl_slist_append(list, line.c_str());
  for (const char* name : {"Accept", "Content-Type", "Expect", "Proxy-Connection"}) {
    if (std::find(headerNames_.begin(), headerNames_.end(), ToUpper(name)) == headerNames_.end()) {
      list = curl_slist_append(list, (std::string(name) + ":").c_str());
    }
  }
  return list;
}

void CurlRequestObject::Perform(const std::string& body) {
  ForgetResponse();
  if (!opened_) return;
  EasyHandle handle(curl_easy_init(), curl_easy_cleanup);
  if (!handle) return;
  CURL* curl = handle.get();
  HeaderList headers(BuildHeaderList(), curl_slist_free_all);
  Transfer transfer;

  curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, followRedirects_ ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
  SetMethodAndBody(curl, method_, body);
  SetTimeLimits(curl, resolveMs_, connectMs_, sendMs_, receiveMs_);
  if (proxy_) curl_easy_setopt(curl, CURLOPT_PROXY, proxy_->c_str());
  if (proxyCredentials_) {
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxyCredentials_->user.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxyCredentials_->password.c_str());
  }
  if (serverCredentials_) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, serverCredentials_->user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, serverCredentials_->password.c_str());
  }

  if (curl_easy_perform(curl) != CURLE_OK) return;
  hasResponse_ = true;
  responseBody_ = std::move(transfer.body);
  responseHeaderLines_ = std::move(transfer.headerLines);
}
