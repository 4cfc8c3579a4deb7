#include "text/gbk_literal.h"

#include <cstdio>
#include <cstdlib>

Text Gbk(std::string_view utf8) {
  bool converted = false;
  const ByteSet gbk =
      ConvertEncoding(ByteSet(utf8.begin(), utf8.end()), "UTF-8", "GBK", &converted);
  const Text text = BytesToText(gbk);
  // A literal GBK cannot hold, or one with a zero byte that a Text cannot
  // carry, is a mistake in the source: stop at once rather than show a
  // shortened or empty text.
  if (!converted || text.size() != gbk.size()) {
    std::fprintf(stderr, "Gbk: the literal \"%.*s\" has no exact GBK form\n",
                 static_cast<int>(utf8.size()), utf8.data());
    std::abort();
  }
  return text;
}
