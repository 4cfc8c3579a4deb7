// The system's own texts (captions, messages, status lines) are written in
// the sources as UTF-8 literals and used at run time as GBK bytes. Gbk() does
// that conversion; callers keep the result in a function-local static const
// so that a text used in a loop is converted once.
#ifndef RUZIDUZ_TEXT_GBK_LITERAL_H_
#define RUZIDUZ_TEXT_GBK_LITERAL_H_

#include <string_view>

#include "text/text.h"

// GBK bytes of a UTF-8 text. Aborts the program on text that GBK cannot hold:
// every caller passes a fixed literal, so that is a programming error caught
// by the first test that shows the text.
Text Gbk(std::string_view utf8);

#endif  // RUZIDUZ_TEXT_GBK_LITERAL_H_
