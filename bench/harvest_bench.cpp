// Keyword harvesting: the page pipeline on a realistic ranking page next to
// a plain find() scan for the same links; the page with thousands of
// unclosed keyword links against the realistic page; and a whole run over
// the sample ranking service against its pacing floor.
//
// --write_page=PATH writes the realistic page (UTF-8) and exits;
// --page_file=PATH takes the realistic page from PATH instead of making it,
// so bench/harvest_pipeline.sh can time Python on the very same bytes.
#include <benchmark/benchmark.h>

#include <boost/regex.hpp>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

#include "harvest/ranking_page.h"
#include "harvest/service_hosts.h"
#include "tools/sample-service/sample_pages.h"

namespace {

constexpr size_t kRealisticPageBytes = 300 * 1024;

std::string& PageFile() {
  static std::string path;
  return path;
}

const ByteSet& RealisticPage() {
  static const ByteSet page = [] {
    if (!PageFile().empty()) {
      std::ifstream in(PageFile(), std::ios::binary);
      return ByteSet(std::istreambuf_iterator<char>(in), {});
    }
    const std::string html = LargeRankingPage(kRealisticPageBytes);
    return ByteSet(html.begin(), html.end());
  }();
  return page;
}

// About 1 MB: the realistic page's links, then 20,000 keyword links whose
// closing /"> never comes.
const ByteSet& AdversarialPage() {
  static const ByteSet page = [] {
    std::string html = LargeRankingPage(250 * 1024);
    for (int i = 0; i < 20000; ++i) {
      html += std::string("<a href=\"http://") + KeywordHost + "/k";
    }
    return ByteSet(html.begin(), html.end());
  }();
  return page;
}

Text ToPageText(const ByteSet& body) { return BytesToText(ConvertEncoding(body, "UTF-8", "GBK")); }

// UTF-8 body to keywords and page count, as the run does for every page.
void RunPipeline(benchmark::State& state, const ByteSet& body) {
  TextArray keywords;
  int pages = 0;
  for (auto _ : state) {
    const Text pageText = ToPageText(body);
    ExtractKeywords(pageText, keywords);
    pages = CountRankPages(pageText);
    benchmark::DoNotOptimize(keywords.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
  state.counters["keywords"] = double(keywords.size());
  state.counters["further_pages"] = pages;
}

void BM_PagePipeline(benchmark::State& state) { RunPipeline(state, RealisticPage()); }

void BM_PagePipelineAdversarial(benchmark::State& state) { RunPipeline(state, AdversarialPage()); }

// The regular-expression step alone, on the converted page.
void BM_ParseOnly(benchmark::State& state) {
  const Text pageText = ToPageText(RealisticPage());
  TextArray keywords;
  for (auto _ : state) {
    ExtractKeywords(pageText, keywords);
    benchmark::DoNotOptimize(CountRankPages(pageText));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(RealisticPage().size()));
  state.counters["keywords"] = double(keywords.size());
}

// The practical limit: the same links found with std::string_view::find, no
// filter, no case folding.
void BM_FindScan(benchmark::State& state) {
  const Text pageText = ToPageText(RealisticPage());
  const std::string prefix = std::string("http://") + KeywordHost + "/";
  size_t links = 0;
  for (auto _ : state) {
    const std::string_view page(pageText);
    links = 0;
    for (size_t at = page.find(prefix); at != std::string_view::npos; at = page.find(prefix, at)) {
      const size_t end = page.find("/\">", at + prefix.size());
      if (end == std::string_view::npos) break;
      benchmark::DoNotOptimize(page.substr(at + prefix.size(), end - at - prefix.size()));
      ++links;
      at = end + 3;
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(RealisticPage().size()));
  state.counters["links"] = double(links);
}

// The adversarial page searched over its whole length, as a plain
// sregex_iterator does: quadratic until Boost gives up with its complexity
// error. One pass, for the record.
void BM_AdversarialUnboundedSearch(benchmark::State& state) {
  const Text pageText = ToPageText(AdversarialPage());
  const boost::regex pattern(std::string("http://") + KeywordHost + "/(.*?)/\">",
                             boost::regex::perl | boost::regex::icase);
  size_t matches = 0;
  bool gaveUp = false;
  for (auto _ : state) {
    matches = 0;
    try {
      for (boost::sregex_iterator it(pageText.begin(), pageText.end(), pattern), last; it != last;
           ++it) {
        ++matches;
      }
    } catch (const std::runtime_error&) {
      gaveUp = true;
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(AdversarialPage().size()));
  state.counters["matches"] = double(matches);
  state.counters["gave_up"] = gaveUp;
}

}  // namespace

BENCHMARK(BM_PagePipeline);
BENCHMARK(BM_ParseOnly);
BENCHMARK(BM_FindScan);
BENCHMARK(BM_PagePipelineAdversarial);
BENCHMARK(BM_AdversarialUnboundedSearch)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--write_page=", 13) == 0) {
      const ByteSet& page = RealisticPage();
      std::ofstream(argv[i] + 13, std::ios::binary)
          .write(reinterpret_cast<const char*>(page.data()), std::streamsize(page.size()));
      return 0;
    }
    if (std::strncmp(argv[i], "--page_file=", 12) == 0) PageFile() = argv[i] + 12;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
