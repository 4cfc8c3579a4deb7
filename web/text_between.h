// Cuts the part of a text between a start marker and the next end marker
// after it; web_access uses it to read the cookie out of a Set-Cookie line.
#ifndef RUZIDUZ_WEB_TEXT_BETWEEN_H_
#define RUZIDUZ_WEB_TEXT_BETWEEN_H_

#include "text/text.h"

// The text between the first startMarker at or after startPosition and an
// endMarker after it; the empty text when either marker is not found. The end
// marker is searched in the rest after the start marker from the same
// startPosition, not from the rest's first byte, so with a startPosition past
// 1 it may be skipped: "xx(a)b)" with "(" and ")" from position 3 gives "a)b".
// Each "#引号" in a marker stands for a double quote; the replaced marker is
// written back into the caller's variable. Markers match ignoring ASCII case
// unless caseSensitive.
Text TextBetween(const Text& sourceText, Text& startMarker, Text& endMarker, int startPosition = 0,
                 bool caseSensitive = false);

#endif  // RUZIDUZ_WEB_TEXT_BETWEEN_H_
