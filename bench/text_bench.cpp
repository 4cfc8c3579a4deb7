// Throughput of the text primitives on GBK text, each next to a
// std::string_view::find loop over the same input in the same run. The
// searching primitives run at two sizes: equal MB/s at both shows that none
// of them grows quadratically with the text.
#include <benchmark/benchmark.h>

#include <random>
#include <string_view>

#include "text/text.h"

namespace {

// GBK text of Chinese characters (GB2312 level 1, lead bytes B0-D6, all
// assigned), chinesePercent of the pieces, between ASCII words and CR LF line
// ends. The words include "href" in mixed case, the target of the replacing
// runs.
Text MixedGbkText(size_t bytes, unsigned chinesePercent) {
  static const char* const kWords[] = {"keyword ", "Href ", "www.", "2024 ", "href ", "seo "};
  std::mt19937 random(20240601);
  Text text;
  text.reserve(bytes + 64);
  while (text.size() < bytes) {
    const unsigned roll = random() % 100;
    if (roll < chinesePercent) {
      text += static_cast<char>(0xB0 + random() % (0xD6 - 0xB0 + 1));
      text += static_cast<char>(0xA1 + random() % (0xFE - 0xA1 + 1));
    } else if (roll < 97) {
      text += kWords[random() % std::size(kWords)];
    } else {
      text += "\r\n";
    }
  }
  return text;
}

ByteSet MostlyChineseUtf8(size_t bytes) {
  // Two GBK bytes of a Chinese character become three UTF-8 bytes.
  const Text gbk = MixedGbkText(bytes * 2 / 3, 95);
  return ConvertEncoding(TextToBytes(gbk), "GBK", "UTF-8");
}

const Text& Input(int64_t bytes) {
  static const Text small = MixedGbkText(1 << 18, 80);
  static const Text large = MixedGbkText(1 << 20, 80);
  return bytes == (1 << 18) ? small : large;
}

// Starts with a lead byte that occurs all over the text, so the search stops
// at many candidates; the rest never occurs.
constexpr char kAbsent[] =
    "\xB0\xA1"
    "needle";

void BM_ConvertUtf8ToGbk(benchmark::State& state) {
  const ByteSet input = MostlyChineseUtf8(10 << 20);
  for (auto _ : state) {
    bool success = false;
    benchmark::DoNotOptimize(ConvertEncoding(input, "UTF-8", "GBK", &success));
    if (!success) state.SkipWithError("conversion failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_ConvertUtf8ToGbk)->Unit(benchmark::kMillisecond);

void BM_StringViewFind(benchmark::State& state) {
  const std::string_view input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(input.find(kAbsent));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_StringViewFind)->Arg(1 << 18)->Arg(1 << 20);

void BM_FindText(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FindText(input, kAbsent));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_FindText)->Arg(1 << 18)->Arg(1 << 20);

void BM_FindTextIgnoreCase(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FindText(input, kAbsent, 1, true));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_FindTextIgnoreCase)->Arg(1 << 18)->Arg(1 << 20);

// Every line start, found by string_view::find and by FindText with a moving
// start: each call must cost only the distance it searches.
void BM_StringViewFindEveryLine(benchmark::State& state) {
  const std::string_view input = Input(state.range(0));
  for (auto _ : state) {
    size_t lines = 0;
    for (size_t p = input.find("\r\n"); p != input.npos; p = input.find("\r\n", p + 2)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_StringViewFindEveryLine)->Arg(1 << 18)->Arg(1 << 20);

void BM_FindTextEveryLine(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) {
    size_t lines = 0;
    for (int p = FindText(input, "\r\n"); p != -1; p = FindText(input, "\r\n", p + 2)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_FindTextEveryLine)->Arg(1 << 18)->Arg(1 << 20);

void BM_SplitTextLines(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(SplitText(input, "\r\n"));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_SplitTextLines)->Arg(1 << 18)->Arg(1 << 20);

// The string_view::find counterpart of a replacement: one pass that copies
// the text between occurrences and the replacement.
void BM_StringViewFindReplace(benchmark::State& state) {
  const std::string_view input = Input(state.range(0));
  for (auto _ : state) {
    Text result;
    result.reserve(input.size());
    size_t from = 0;
    for (size_t p = input.find("href"); p != input.npos; p = input.find("href", from)) {
      result.append(input.substr(from, p - from)).append("link");
      from = p + 4;
    }
    result.append(input.substr(from));
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_StringViewFindReplace)->Arg(1 << 18)->Arg(1 << 20);

void BM_ReplaceTextCaseSensitive(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceText(input, "href", "link", 1, -1, true));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_ReplaceTextCaseSensitive)->Arg(1 << 18)->Arg(1 << 20);

void BM_ReplaceTextIgnoreCase(benchmark::State& state) {
  const Text& input = Input(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceText(input, "href", "link"));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_ReplaceTextIgnoreCase)->Arg(1 << 18)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
