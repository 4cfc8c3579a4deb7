#include "tools/sample-service/route.h"

#include <charconv>

#include "harvest/service_hosts.h"
#include "tools/sample-service/sample_pages.h"

namespace {

// Fault domains and what they do; the tool's README tells the same.
constexpr struct {
  std::string_view domain;
  Fault fault;
} kFaultDomains[] = {
    {"hang.test", Fault::kHang},         {"reset.test", Fault::kReset},
    {"trickle.test", Fault::kTrickle},   {"huge.test", Fault::kHuge},
    {"badutf8.test", Fault::kBadUtf8},   {"nongbk.test", Fault::kNonGbk},
    {"unclosed.test", Fault::kUnclosed}, {"error500.test", Fault::kError500},
    {"redirect.test", Fault::kRedirect}, {"loop.test", Fault::kLoop},
    {"empty.test", Fault::kEmpty},       {"large.test", Fault::kLarge},
};

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    unsigned char a = text[i], b = start[i];
    if (a >= 'A' && a <= 'Z') a += 'a' - 'A';
    if (b >= 'A' && b <= 'Z') b += 'a' - 'A';
    if (a != b) return false;
  }
  return true;
}

bool IsDomainText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c <= ' ' || c > '~' || c == '/') return false;
  return true;
}

// "N" with 1 <= N and no leading zero; 0 for anything else.
int PageNumber(std::string_view text) {
  if (text.empty() || text.size() > 6 || text[0] == '0') return 0;
  int n = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  return error == std::errc() && end == text.data() + text.size() ? n : 0;
}

// The path of an absolute-form target on RankHost; "" for another host.
std::string_view AbsolutePath(std::string_view target) {
  constexpr std::string_view kScheme = "http://";
  if (!StartsWithIgnoringCase(target, kScheme)) return "";
  target.remove_prefix(kScheme.size());
  const std::size_t slash = target.find('/');
  std::string_view host = target.substr(0, slash);
  host = host.substr(0, host.find(':'));
  if (host.size() != std::string_view(RankHost).size() || !StartsWithIgnoringCase(host, RankHost))
    return "";
  return slash == std::string_view::npos ? "/" : target.substr(slash);
}

}  // namespace

Route RouteTarget(std::string_view target) {
  Route route;
  std::string_view path = target.substr(0, target.find('?'));
  if (path.empty() || path[0] != '/') path = AbsolutePath(path);
  constexpr std::string_view kBaidu = "/baidu/";
  if (path.substr(0, kBaidu.size()) != kBaidu) return route;
  route.path = std::string(path);
  path.remove_prefix(kBaidu.size());

  const std::size_t slash = path.find('/');
  if (slash == std::string_view::npos) return route;
  const std::string_view domain = path.substr(0, slash);
  const std::string_view rest = path.substr(slash + 1);
  constexpr std::string_view kPosition = "/position/";
  int page = 0;
  if (rest.empty()) {
    page = 1;
  } else if (rest.size() > kPosition.size() &&
             rest.substr(rest.size() - kPosition.size()) == kPosition) {
    page = PageNumber(rest.substr(0, rest.size() - kPosition.size()));
  }
  if (!IsDomainText(domain) || page < 1) return route;

  route.domain = std::string(domain);
  route.page = page;
  for (const auto& f : kFaultDomains)
    if (f.domain == domain) route.fault = f.fault;
  if (route.fault != Fault::kNone) {
    route.found = true;
    return route;
  }
  // Names under .test are kept for the fault domains and for pages12.test,
  // whose pages are normal ones.
  constexpr std::string_view kTest = ".test";
  const bool reserved = domain.size() >= kTest.size() &&
                        domain.substr(domain.size() - kTest.size()) == kTest &&
                        domain != "pages12.test";
  route.found = !reserved && page <= PageCount(domain);
  return route;
}

std::string RankPageUrl(std::string_view domain, int page) {
  std::string url = std::string("http://") + RankHost + "/baidu/" + std::string(domain) + "/";
  if (page > 1) url += std::to_string(page) + "/position/";
  return url;
}
