// Sequential requests for one ~100 KB page (large.test) from the sample
// ranking service on loopback, reached through http_proxy as the program
// reaches it. WebAccess creates a request object, a libcurl easy handle and a
// connection for every call, converts its texts and parses the response
// headers; the baselines are bare libcurl loops fetching the same page: one
// easy handle kept for the whole loop (its connection reused), and a fresh
// easy handle per request, which is what WebAccess does underneath. The
// counters give the time per request of each baseline and WebAccess's time as
// a ratio to each.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/sample_service.h"
#include "web/web_access.h"

namespace {

using Clock = std::chrono::steady_clock;

const char kPageUrl[] = "http://rank.example.com/baidu/large.test/";

SampleService& Service() {
  static SampleService service;
  return service;
}

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

size_t FetchWithCurl(CURL* curl, std::string& body) {
  body.clear();
  curl_easy_setopt(curl, CURLOPT_URL, kPageUrl);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  curl_easy_perform(curl);
  return body.size();
}

size_t FetchWithFreshHandle(std::string& body) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  return FetchWithCurl(curl.get(), body);
}

size_t FetchWithWebAccess() {
  // Assigned from a Text: GCC 12 warns falsely (-Wrestrict) when a literal is
  // assigned into the aggregate's string here.
  static const Text kMobileHeaderSet = "1";
  WebRequest request;
  request.url = kPageUrl;
  request.headerSet = kMobileHeaderSet;
  request.timeoutSeconds = 20;
  return WebAccess(request).size();
}

// Seconds that fetch() takes, added to *total.
template <class Fetch>
size_t Timed(double* total, Fetch fetch) {
  const Clock::time_point start = Clock::now();
  const size_t bytes = fetch();
  *total += std::chrono::duration<double>(Clock::now() - start).count();
  return bytes;
}

// The three ways take turns within every iteration, so a change in the
// machine's load during the run weighs on all of them alike. The iteration
// time is that of WebAccess alone.
void BM_WebAccessAgainstBareCurl(benchmark::State& state) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> reused(curl_easy_init(), curl_easy_cleanup);
  std::string body;
  FetchWithCurl(reused.get(), body);
  double webAccess = 0, fresh = 0, kept = 0;
  size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Timed(&fresh, [&] { return FetchWithFreshHandle(body); });
    Timed(&kept, [&] { return FetchWithCurl(reused.get(), body); });
    state.ResumeTiming();
    bytes = Timed(&webAccess, FetchWithWebAccess);
    benchmark::DoNotOptimize(bytes);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["body_bytes"] = static_cast<double>(bytes);
  state.counters["bare_fresh_us"] = fresh / n * 1e6;
  state.counters["bare_reused_us"] = kept / n * 1e6;
  state.counters["x_fresh_handle"] = webAccess / fresh;
  state.counters["x_reused_handle"] = webAccess / kept;
}

}  // namespace

BENCHMARK(BM_WebAccessAgainstBareCurl)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

int main(int argc, char** argv) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  setenv("http_proxy", Service().proxyUrl().c_str(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  curl_global_cleanup();
  return 0;
}
