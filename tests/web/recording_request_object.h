// A request object that records every member call as one line, in order, and
// answers reads with a canned response, so tests can check exactly what
// WebAccess asks of the object. Installed through SetRequestObjectFactory by
// RecordingFactoryScope (or any factory by FactoryScope) for the life of a
// test.
#ifndef RUZIDUZ_TESTS_WEB_RECORDING_REQUEST_OBJECT_H_
#define RUZIDUZ_TESTS_WEB_RECORDING_REQUEST_OBJECT_H_

#include <string>
#include <utility>
#include <vector>

#include "web/request_object.h"

struct CannedResponse {
  ByteSet body;
  Text headers;
};

class RecordingRequestObject : public RequestObject {
 public:
  RecordingRequestObject(std::vector<std::string>& calls, const CannedResponse& response)
      : calls_(calls), response_(response) {}

  void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override {
    Record("SetTimeouts(" + std::to_string(resolveMs) + "," + std::to_string(connectMs) + "," +
           std::to_string(sendMs) + "," + std::to_string(receiveMs) + ")");
  }
  void SetProxy(int setting, const Text& proxyServer) override {
    Record("SetProxy(" + std::to_string(setting) + "," + Quoted(proxyServer) + ")");
  }
  void SetCredentials(const Text& user, const Text& password, int flags) override {
    Record("SetCredentials(" + Quoted(user) + "," + Quoted(password) + "," + std::to_string(flags) +
           ")");
  }
  void Open(const Text& method, const Text& url, bool async) override {
    Record("Open(" + Quoted(method) + "," + Quoted(url) + "," + (async ? "true" : "false") + ")");
  }
  void Option(int index, bool value) override {
    Record("Option(" + std::to_string(index) + "," + (value ? "true" : "false") + ")");
  }
  void SetRequestHeader(const Text& name, const Text& value) override {
    Record("SetRequestHeader(" + Quoted(name) + "," + Quoted(value) + ")");
  }
  void Send(const Text& body) override { Record("Send(text " + Quoted(body) + ")"); }
  void Send(const ByteSet& body) override {
    Record("Send(bytes " + Quoted(std::string(body.begin(), body.end())) + ")");
  }
  ByteSet ResponseBody() override {
    Record("ResponseBody()");
    return response_.body;
  }
  Text GetAllResponseHeaders() override {
    Record("GetAllResponseHeaders()");
    return response_.headers;
  }

  static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

 private:
  void Record(const std::string& call) { calls_.push_back(call); }

  std::vector<std::string>& calls_;
  const CannedResponse& response_;
};

// Puts `factory` in place for one scope and reinstalls the one it replaced.
class FactoryScope {
 public:
  explicit FactoryScope(RequestObjectFactory factory)
      : previous_(SetRequestObjectFactory(std::move(factory))) {}
  ~FactoryScope() { SetRequestObjectFactory(previous_); }
  FactoryScope(const FactoryScope&) = delete;
  FactoryScope& operator=(const FactoryScope&) = delete;

 private:
  RequestObjectFactory previous_;
};

// Puts a factory of recording objects in place for one scope: each object
// appends to `calls` and answers with `response`.
class RecordingFactoryScope : public FactoryScope {
 public:
  RecordingFactoryScope(std::vector<std::string>& calls, const CannedResponse& response)
      : FactoryScope([&calls, &response] {
          return std::make_unique<RecordingRequestObject>(calls, response);
        }) {}
};

#endif  // RUZIDUZ_TESTS_WEB_RECORDING_REQUEST_OBJECT_H_
