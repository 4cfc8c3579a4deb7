// Which page a request target asks for.
//
// Accepted targets (anything else is not found):
//   origin form     /baidu/DOMAIN/   and   /baidu/DOMAIN/N/position/
//   absolute form   http://RankHost[:PORT] followed by one of those paths
// The scheme and host of the absolute form are matched ignoring ASCII case; a
// query (?...) is ignored. DOMAIN is one or more printable ASCII characters
// other than '/' (so a percent-encoded name is taken as it is written); N is
// a decimal page number without leading zeros. A normal domain has pages
// 1..PageCount(DOMAIN); a fault domain (FaultDomains) answers every N with its
// fault; any other name ending in ".test" is not found.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_ROUTE_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_ROUTE_H_

#include <string>
#include <string_view>

enum class Fault {
  kNone,
  kHang,
  kReset,
  kTrickle,
  kHuge,
  kBadUtf8,
  kNonGbk,
  kUnclosed,
  kError500,
  kRedirect,
  kLoop,
  kEmpty,
  kLarge,
};

struct Route {
  bool found = false;
  std::string domain;
  int page = 0;  // 1 for the first page
  Fault fault = Fault::kNone;
  std::string path;  // the target's path, without scheme, host and query
};

// Gives a route with found == false for a target that asks for no page.
Route RouteTarget(std::string_view target);

// Absolute address on RankHost of page `page` of `domain`, written the way
// the program builds it: the first page as /baidu/DOMAIN/, the others as
// /baidu/DOMAIN/N/position/.
std::string RankPageUrl(std::string_view domain, int page);

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_ROUTE_H_
