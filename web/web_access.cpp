#include "web/web_access.h"

#include <climits>
#include <memory>

#include "web/request_object.h"
#include "web/text_between.h"

namespace {

// The default header blocks. Each follows "Referer: " + address, so it starts
// with CR LF and does not end with one.
const Text kDesktopHeaderBlock =
    "\r\nAccept: */*"
    "\r\nAccept-Language: zh-cn"
    "\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)"
    "\r\nContent-Type: application/x-www-form-urlencoded";
const Text kMobileHeaderBlock =
    "\r\nAccept: */*"
    "\r\nUser-Agent: Mozilla/5.0 (Linux; U; Android 4.0.2; en-us; Galaxy Nexus Build/ICL53F) "
    "AppleWebKit/534.30 (KHTML, like Gecko) Version/4.0 Mobile Safari/534.30";

const Text kDefaultMethod = "GET";
// headerSet value that picks the desktop header block.
const Text kDesktopHeaderSet = "0";

// timeoutSeconds of -1 leaves the object's own time-outs alone.
constexpr int kKeepObjectTimeouts = -1;
constexpr int kDefaultTimeoutMs = 15000;

bool IsEmptyText(const Text& text) { return CompareText(text, Text()) == 0; }

// Milliseconds for each of the four time-outs: the given seconds when 1 or
// more (held at INT_MAX when the milliseconds would not fit), otherwise 15 s.
int TimeoutMs(int timeoutSeconds) {
  if (timeoutSeconds < 1) return kDefaultTimeoutMs;
  if (timeoutSeconds > INT_MAX / 1000) return INT_MAX;
  return timeoutSeconds * 1000;
}

// One header line "Name: value". Split at every colon, the pieces after the
// first are joined back into the value, so "X-Time: 12:30:05" gives the value
// " 12:30:05"; the blank after the first colon stays in the value. A line
// without a colon gives one piece (an empty line none) and is skipped, and so
// is one whose only colon is its last character ("X-A:"), since a final
// delimiter leaves no value piece.
void ApplyHeaderLine(RequestObject& object, const Text& line) {
  const TextArray pieces = SplitText(line, ":");
  if (pieces.size() < 2) return;
  Text value = pieces[1];
  for (size_t k = 2; k < pieces.size(); ++k) value = ConcatText(value, ":", pieces[k]);
  object.SetRequestHeader(pieces[0], value);
}

// Header lines are separated by CR LF only: a text without CR LF is one line,
// and a bare LF stays inside its value.
void ApplyHeaders(RequestObject& object, const Text& headers) {
  for (const Text& line : SplitText(headers, "\r\n")) ApplyHeaderLine(object, line);
}

// Reads the cookies and the redirect address out of the response's header
// lines. Any line holding "Location:" counts ("Content-Location:" too) and the
// last one wins; a line holding "Set-Cookie" (that exact case) adds the text
// between "Set-Cookie:" (any case) and the next ";", trimmed, plus "; ".
void ParseResponseHeaders(WebRequest& request) {
  request.receivedCookies = Text();
  for (const Text& line : SplitText(request.responseHeaders, "\r\n")) {
    if (FindText(line, "Location:") != -1) {
      request.redirectAddress = TrimBoth(ReplaceText(line, "Location:", Text(), 1, 1, false));
    }
    if (FindText(line, "Set-Cookie") != -1) {
      Text startMarker = "Set-Cookie:";
      Text endMarker = ";";
      const Text cookie = TrimBoth(TextBetween(line, startMarker, endMarker));
      request.receivedCookies = ConcatText(request.receivedCookies, cookie, "; ");
    }
  }
  // A value the caller put into redirectAddress stays when no line matched.
  if (IsEmptyText(request.redirectAddress)) request.redirectAddress = request.responseHeaders;
}

}  // namespace

// libcurl's global set-up is done once per process by the request object
// itself (web/curl_request_object.h), so a call has no library to bracket.
ByteSet WebAccess(WebRequest& request) {
  std::unique_ptr<RequestObject> object = CreateRequestObject(kWinHttpRequestProgId);
  if (!object) return ByteSet();

  request.method = ToUpper(request.method);
  if (IsEmptyText(request.method)) request.method = kDefaultMethod;

  if (request.timeoutSeconds != kKeepObjectTimeouts) {
    const int t = TimeoutMs(request.timeoutSeconds);
    object->SetTimeouts(t, t, t, t);
  }

  if (IsEmptyText(request.headerSet)) request.headerSet = kDesktopHeaderSet;

  if (!IsEmptyText(request.proxyAddress)) {
    object->SetProxy(kProxyNamed, request.proxyAddress);
    if (!IsEmptyText(request.proxyUser)) {
      object->SetCredentials(request.proxyUser, request.proxyPassword,
                             request.credentialFlags.value_or(kCredentialsForProxy));
    }
  }

  object->Open(request.method, request.url, false);
  if (request.noRedirect) object->Option(kOptionEnableRedirects, false);

  if (IsEmptyText(request.headers)) {
    const Text& block = CompareText(request.headerSet, kDesktopHeaderSet) == 0 ? kDesktopHeaderBlock
                                                                               : kMobileHeaderBlock;
    request.headers = ConcatText(Text("Referer: "), request.url, block);
  }
  if (!IsEmptyText(request.cookies)) object->SetRequestHeader("Cookie", request.cookies);
  ApplyHeaders(*object, request.headers);

  if (!request.bodyBytes.empty()) {
    object->Send(request.bodyBytes);
  } else {
    object->Send(request.bodyText);
  }

  ByteSet body = object->ResponseBody();
  request.responseHeaders = object->GetAllResponseHeaders();
  ParseResponseHeaders(request);
  object.reset();
  return body;
}
