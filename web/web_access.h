// One HTTP request through a request object ("WinHttp.WinHttpRequest.5.1",
// web/request_object.h), with the caller's parameters normalised and written
// back, and the response's cookies, redirect address and header text handed
// back through the same aggregate. Each call stands alone: it creates its own
// request object and releases it before returning; no cookie or connection
// survives from one call to the next. Blocks the calling thread until the
// response arrives or a time-out runs out.
#ifndef RUZIDUZ_WEB_WEB_ACCESS_H_
#define RUZIDUZ_WEB_WEB_ACCESS_H_

#include <optional>

#include "text/text.h"

// The sixteen parameters of a request. An omitted text or byte set reads as
// empty, an omitted number as 0, an omitted bool as false.
struct WebRequest {
  Text url, method, bodyText, cookies, receivedCookies, headers, redirectAddress, headerSet;
  bool noRedirect = false;
  int timeoutSeconds = 0;
  Text proxyAddress, proxyUser, proxyPassword;
  std::optional<int> credentialFlags;  // omitted: 1
  Text responseHeaders;
  ByteSet bodyBytes;
};

// Performs the request and returns a copy of the response body, whatever its
// status. Writes back method (upper-cased, "GET" when empty), headers (the
// default header text when empty) and headerSet ("0" when empty), and fills
// receivedCookies, redirectAddress and responseHeaders. Reports no error: when
// the object cannot be created the result is empty and no field changes;
// when the request fails the result is empty.
ByteSet WebAccess(WebRequest& request);

#endif  // RUZIDUZ_WEB_WEB_ACCESS_H_
