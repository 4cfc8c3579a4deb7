#include "web/request_object.h"

#include <utility>

#include "web/curl_request_object.h"

namespace {

std::unique_ptr<RequestObject> MakeCurlRequestObject() {
  return std::make_unique<CurlRequestObject>();
}

RequestObjectFactory& CurrentFactory() {
  static RequestObjectFactory factory = MakeCurlRequestObject;
  return factory;
}

bool IsRequestProgId(const Text& progId) {
  static const Text upperProgId = ToUpper(kWinHttpRequestProgId);
  return CompareText(ToUpper(progId), upperProgId) == 0;
}

}  // namespace

std::unique_ptr<RequestObject> CreateRequestObject(const Text& progId) {
  if (!IsRequestProgId(progId)) return nullptr;
  return CurrentFactory()();
}

RequestObjectFactory SetRequestObjectFactory(RequestObjectFactory factory) {
  if (!factory) factory = MakeCurlRequestObject;
  return std::exchange(CurrentFactory(), std::move(factory));
}
