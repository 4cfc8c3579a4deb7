// A libcurl GET for the sample service's tests: straight to the service, or
// through it as a proxy.
#ifndef RUZIDUZ_TESTS_SAMPLE_SERVICE_HTTP_FETCH_H_
#define RUZIDUZ_TESTS_SAMPLE_SERVICE_HTTP_FETCH_H_

#include <curl/curl.h>
#include <cstddef>
#include <string>

struct FetchOptions {
  std::string proxy;                  // proxy to go through; empty: straight to the address
  bool proxyFromEnvironment = false;  // ignore `proxy`, let libcurl read http_proxy
  bool followRedirects = false;
  long timeoutMs = 10000;
  std::size_t maxBytes = 16 * 1024 * 1024;  // stop reading after this many body bytes
};

struct Fetched {
  CURLcode code = CURLE_OK;  // CURLE_WRITE_ERROR when maxBytes stopped the read
  long status = 0;
  std::string body;
  std::string location;           // the Location header, if any
  curl_off_t contentLength = -1;  // the Content-Length header, -1 if none
};

Fetched Fetch(const std::string& url, const FetchOptions& options = {});

#endif  // RUZIDUZ_TESTS_SAMPLE_SERVICE_HTTP_FETCH_H_
