// Runs every registered GUI test class against one main window, loaded as
// ProgramStart loads it, in Qt's offscreen platform.
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/event_bindings.h"
#include "app/globals.h"
#include "app/host/host.h"
#include "tests/gui/gui_test.h"

namespace {

std::vector<GuiTestFactory>& Registry() {
  static std::vector<GuiTestFactory> factories;
  return factories;
}

}  // namespace

int RegisterGuiTest(GuiTestFactory factory) {
  Registry().push_back(factory);
  return 0;
}

int main(int argc, char** argv) {
  InitHost();
  PendingKeywords = TextArray();
  LoadWindow(MainWindowBindings());
  int failed = 0;
  for (GuiTestFactory factory : Registry()) {
    std::unique_ptr<QObject> test(factory());
    failed += QTest::qExec(test.get(), argc, argv);
  }
  std::fflush(stdout);
  // Leave without destroying the main window: its about-to-be-destroyed
  // handler would end the process with exit code 0 and hide the failures.
  std::_Exit(failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE);
}
