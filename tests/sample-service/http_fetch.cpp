#include "tests/sample-service/http_fetch.h"

namespace {

struct Sink {
  std::string* body;
  std::size_t maxBytes;
};

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user) {
  Sink* sink = static_cast<Sink*>(user);
  if (sink->body->size() >= sink->maxBytes) return 0;
  sink->body->append(data, size * count);
  return size * count;
}

}  // namespace

Fetched Fetch(const std::string& url, const FetchOptions& options) {
  Fetched result;
  CURL* curl = curl_easy_init();
  Sink sink{&result.body, options.maxBytes};
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  // An empty CURLOPT_PROXY turns off the environment's proxy as well.
  if (!options.proxyFromEnvironment) curl_easy_setopt(curl, CURLOPT_PROXY, options.proxy.c_str());
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, options.followRedirects ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.timeoutMs);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  result.code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &result.contentLength);
  char* location = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
    result.location = location;
  curl_easy_cleanup(curl);
  return result;
}
