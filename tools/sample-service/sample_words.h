// Word lists and the pseudo-random source behind the sample ranking pages.
//
// Everything here is deterministic on every platform: the generator is
// splitmix64 over uint64_t, and numbers are drawn with a plain modulo instead
// of <random>'s distributions, whose results differ between standard
// libraries. The same seed gives the same keywords everywhere.
//
// Every word is UTF-8 text that GBK can hold (the program converts pages to
// GBK) and holds none of the bytes / " < > & or a blank, so a keyword can stand
// in a link path and in HTML text unescaped.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_WORDS_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_WORDS_H_

#include <cstdint>
#include <string>
#include <string_view>

struct SampleRng {
  std::uint64_t state;

  std::uint64_t Next();
  // A number in [0, n); n must be at least 1.
  int Below(int n);
};

// FNV-1a (64 bit) of `text` with ASCII letters folded to lower case, so that
// A.COM and a.com get the same pages.
std::uint64_t DomainHash(std::string_view text);

// A search keyword as a ranking page lists it: mostly Chinese (a topic, a
// topic with a modifier such as 价格 or 教程, or a city with a topic), some
// ASCII or mixed ("iphone", "python教程", "www.qq.com").
std::string SampleKeyword(SampleRng& rng);

// A keyword the program's filter drops: "com", "www", "n", their capital
// forms, "net", ".cn" or the empty text.
std::string_view JunkKeyword(SampleRng& rng);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_SAMPLE_WORDS_H_
