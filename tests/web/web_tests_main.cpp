// Requests in these tests go straight to loopback listeners unless a test
// names a proxy itself, so the proxy variables of the machine that runs them
// are cleared first.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "ALL_PROXY", "HTTPS_PROXY"}) {
    unsetenv(name);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
