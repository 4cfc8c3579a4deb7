#include "web/text_between.h"

#include "text/gbk_literal.h"

namespace {

// Replaces every quote placeholder in a marker by a double quote. The
// placeholder is matched exactly, at character starts only, so its GBK bytes
// never match inside another two-byte character.
void ReplaceQuotePlaceholder(Text& marker) {
  static const Text placeholder = Gbk("#引号");
  if (FindText(marker, placeholder) != -1) {
    marker = ReplaceText(marker, placeholder, "\"", 1, -1, true);
  }
}

}  // namespace

Text TextBetween(const Text& sourceText, Text& startMarker, Text& endMarker, int startPosition,
                 bool caseSensitive) {
  ReplaceQuotePlaceholder(startMarker);
  ReplaceQuotePlaceholder(endMarker);
  const int start = FindText(sourceText, startMarker, startPosition, !caseSensitive);
  if (start == -1) return Text();
  // Everything after the start marker; the end marker is searched in it from
  // the same startPosition, not from its first byte.
  const Text rest =
      RightText(sourceText, TextLength(sourceText) - start - TextLength(startMarker) + 1);
  const int end = FindText(rest, endMarker, startPosition, !caseSensitive);
  if (end == -1) return Text();
  return LeftText(rest, end - 1);
}
