// The request object: one HTTP request, configured member by member and then
// sent synchronously, in the shape of the "WinHttp.WinHttpRequest.5.1"
// automation object that WebAccess is written against.
//
// Every member fails silently: a refused argument or a failed transfer leaves
// the object as it was (or without a response) and a later read gives the
// empty result. Texts cross in both directions as GBK. An object is used by one
// thread for one request and then released.
//
// CreateRequestObject goes through a replaceable factory, so that tests can
// put a recording object in place of the libcurl one.
#ifndef RUZIDUZ_WEB_REQUEST_OBJECT_H_
#define RUZIDUZ_WEB_REQUEST_OBJECT_H_

#include <functional>
#include <memory>

#include "text/text.h"

// The only ProgID for which an object exists.
inline constexpr char kWinHttpRequestProgId[] = "WinHttp.WinHttpRequest.5.1";

// Proxy settings of SetProxy.
enum ProxySetting { kProxyDefault = 0, kProxyDirect = 1, kProxyNamed = 2 };

// Option index that switches redirect following (true by default).
inline constexpr int kOptionEnableRedirects = 6;

// Credential flags of SetCredentials.
enum CredentialTarget { kCredentialsForServer = 0, kCredentialsForProxy = 1 };

class RequestObject {
 public:
  virtual ~RequestObject() = default;

  // Milliseconds allowed for name resolution, connecting, sending and
  // receiving; a value of 0 or less leaves that stage without a limit.
  virtual void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) = 0;
  // kProxyNamed sends requests through proxyServer ("host:port" or
  // "http://host:port"); kProxyDirect uses no proxy; kProxyDefault uses the
  // platform's proxy setting. Any other setting is refused.
  virtual void SetProxy(int setting, const Text& proxyServer) = 0;
  // User name and password for the proxy (kCredentialsForProxy) or for the
  // server (kCredentialsForServer); other flags are refused. May be called at
  // any time before Send.
  virtual void SetCredentials(const Text& user, const Text& password, int flags) = 0;
  // Starts a new request: forgets the headers, body and response of an earlier
  // one. Only synchronous requests exist (async true is refused, and so is an
  // empty method or an address that cannot be converted).
  virtual void Open(const Text& method, const Text& url, bool async) = 0;
  // Writes option `index`; only kOptionEnableRedirects is known.
  virtual void Option(int index, bool value) = 0;
  // Adds a header line to the opened request. A name that is not an HTTP
  // token (empty, or holding a blank, a colon, CR, LF or a non-ASCII byte), or
  // a value that holds CR or LF, is refused: the header is not sent and the
  // request goes on.
  virtual void SetRequestHeader(const Text& name, const Text& value) = 0;
  // Performs the opened request with a text body (sent as UTF-8) or a byte
  // body (sent as is). On failure (no open request, unresolvable name, refused
  // connection, time-out, oversized response) the object holds no response.
  virtual void Send(const Text& body) = 0;
  virtual void Send(const ByteSet& body) = 0;
  // The response body; empty without a response.
  virtual ByteSet ResponseBody() = 0;
  // The final response's header lines without its status line, each ended by
  // CR LF; empty without a response.
  virtual Text GetAllResponseHeaders() = 0;
};

// Makes a request object, or gives nullptr when it cannot.
using RequestObjectFactory = std::function<std::unique_ptr<RequestObject>()>;

// A new object made by the current factory for kWinHttpRequestProgId (ASCII
// case ignored, as the registry ignores it); nullptr for any other ProgID
// (the factory is not asked) or when the factory gives none.
std::unique_ptr<RequestObject> CreateRequestObject(const Text& progId);

// Installs a factory and gives back the one it replaces. An empty factory
// reinstalls the libcurl one. Not thread-safe: meant for test set-up.
RequestObjectFactory SetRequestObjectFactory(RequestObjectFactory factory);

#endif  // RUZIDUZ_WEB_REQUEST_OBJECT_H_
