// Conversion between the program's GBK Texts and Qt's QStrings.
//
// Texts are read as GB18030, a superset of GBK that holds every Unicode
// character: a GBK text converts the same way, and whatever the user types or
// picks (an emoji, a rare character, a file name in any script) turns into
// bytes that convert back to the very same characters. GB18030's four-byte
// characters are two GBK-shaped byte pairs, so the text primitives still step
// over them correctly.
#ifndef RUZIDUZ_APP_HOST_TEXT_CONVERSION_H_
#define RUZIDUZ_APP_HOST_TEXT_CONVERSION_H_

#include <QString>

#include "text/text.h"

// The characters of a GB18030 text; GBK's one-byte euro sign 0x80 is read as
// such too. Bytes that form no character (a lone lead byte, a half cut off by
// LeftText) each become U+FFFD, and the rest of the text still converts.
QString ToQString(const Text& text);

// The GB18030 bytes of a string. U+0000 is dropped, since a Text never holds
// a zero byte; every other character converts.
Text FromQString(const QString& string);

#endif  // RUZIDUZ_APP_HOST_TEXT_CONVERSION_H_
