// The whole program, started through ProgramStart, with one scripted action
// for the exit-code tests. argv[1] names the action:
//   close-while-idle  a close request reaches the window from the idle loop
//   esc-in-pause      Esc is pressed while a handler pauses in DelayWithEvents
//   esc-in-longest-pause  the same in a pause of INT_MAX milliseconds
//   esc-in-flush      Esc is pressed while FlushKeywords shows 100 keywords
//   esc-in-run        Esc is pressed while a run, started by clicking 按钮1,
//                     shows the keywords of x.cn (reached through http_proxy)
// Lines on stdout show what ran: exit routines registered before and after
// the program's own, the state they saw, and whether the paused handler ever
// resumed. stdout is a pipe, so they arrive only if ExitProgram flushes it.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <climits>
#include <cstdio>
#include <string>

#include "app/globals.h"
#include "app/host/host.h"
#include "app/program_start.h"
#include "harvest/keyword_display.h"
#include "tests/gui/window_controls.h"

namespace {

std::string gAction;

void FirstExitRoutine() { std::printf("exit routine registered first\n"); }

void LastExitRoutine() {
  const bool released = PendingKeywords.empty() && PendingKeywords.capacity() == 0;
  const int shown = static_cast<int>(SplitText(ReadText(Control::编辑框2), "\r\n").size());
  std::printf("exit routine registered last: PendingKeywords %s, %d lines shown\n",
              released ? "released" : "held", shown);
}

void PressEscapeSoon() {
  QTimer::singleShot(300, [] {
    QWidget* target =
        QApplication::focusWidget() ? QApplication::focusWidget() : MainWindowWidget();
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  });
}

void Act() {
  std::printf("ExtractionFinished after LoadWindow: %s\n", ExtractionFinished ? "true" : "false");
  RegisterExitRoutine(LastExitRoutine);
  if (gAction == "close-while-idle") {
    // What the window system sends for the close box or Alt+F4.
    QCoreApplication::postEvent(MainWindowWidget(), new QCloseEvent);
  } else if (gAction == "esc-in-pause" || gAction == "esc-in-longest-pause") {
    PendingKeywords = {"kept", "until", "exit"};
    PressEscapeSoon();
    DelayWithEvents(gAction == "esc-in-pause" ? 20000 : INT_MAX);
    std::printf("the paused handler resumed\n");
  } else if (gAction == "esc-in-flush") {
    for (int i = 1; i <= 100; ++i) PendingKeywords.push_back("keyword" + std::to_string(i));
    PressEscapeSoon();
    FlushKeywords();
    std::printf("the paused handler resumed\n");
  } else if (gAction == "esc-in-run") {
    WriteText(Control::编辑框1, "x.cn");
    PressEscapeSoon();
    WindowControl<QPushButton>("按钮1")->click();
    std::printf("the paused handler resumed\n");
  }
}

// Runs while InitHost creates the application: before the program registers
// its own exit routine and before it loads the main window.
void BeforeTheWindow() {
  ExtractionFinished = true;
  RegisterExitRoutine(FirstExitRoutine);
  QTimer::singleShot(0, Act);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(BeforeTheWindow)

int main(int argc, char** argv) {
  if (argc > 1) gAction = argv[1];
  return ProgramStart();
}
