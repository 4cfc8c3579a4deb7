// Texts on their way to and from the wire. The program's texts are GBK; an
// HTTP request carries its address, header lines and text body as UTF-8, and
// response header lines arrive as bytes the server chose (UTF-8 or ASCII in
// practice, ISO-8859-1 in old servers).
#ifndef RUZIDUZ_WEB_WIRE_TEXT_H_
#define RUZIDUZ_WEB_WIRE_TEXT_H_

#include <optional>
#include <string>

#include "text/text.h"

// The UTF-8 bytes of a GBK text. GBK is read as GB18030 when it does not
// convert as GBK, so four-byte GB18030 sequences (for instance header text
// read back by WireToText) pass too. Nothing when the text holds a sequence
// that neither encoding knows, such as a dangling lead byte.
std::optional<std::string> TextToWire(const Text& text);

// A response header line as a text: UTF-8 converted to GBK; characters GBK
// cannot hold come out as GB18030 four-byte sequences; a line that is not
// valid UTF-8 is read as ISO-8859-1 (one character a byte) so that no byte is
// lost. Zero bytes are dropped, since a text cannot hold them.
Text WireToText(const std::string& line);

// A UTF-8 address as a browser sends it: after the scheme and authority,
// every byte that cannot stand in an address (control bytes, space, '"', '<',
// '>', DEL and every non-ASCII byte) becomes %XX; a '%' is left as it is, so an
// address that is already encoded is not encoded twice. The authority is left
// alone: the transfer library converts a non-ASCII host name itself and
// refuses a malformed one.
std::string PercentEncodeUrl(const std::string& url);

#endif  // RUZIDUZ_WEB_WIRE_TEXT_H_
