// Runs every registered GUI test class against one main window, loaded as
// ProgramStart loads it, in Qt's offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
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

// A modal widget that no test answers would hold its test until the watchdog
// kills the whole program; after 30 s it is closed, and the test goes on to
// fail on its own checks.
void CloseForgottenModalWidgets() {
  static QPointer<QWidget> seen;
  static QElapsedTimer shownFor;
  auto* timer = new QTimer(QApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != seen) {
      seen = modal;
      shownFor.start();
    } else if (modal && shownFor.elapsed() > 30000) {
      std::fprintf(stderr, "gui_tests: closing a forgotten %s\n", modal->metaObject()->className());
      modal->close();
    }
  });
  timer->start(500);
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
  CloseForgottenModalWidgets();
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
