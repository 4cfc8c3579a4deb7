// Start-up, the event loop, pausing, the run directory and process exit.
#include "app/host/host.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/host/main_form.h"
#include "app/host/text_conversion.h"

namespace {

// QApplication keeps references to argc and argv for its whole life. The
// program has no command line, so Qt sees the program name alone.
int gArgc = 1;
char gProgramName[] = "ruziduz";
char* gArgv[] = {gProgramName, nullptr};

// Kept as Qt gives it; converted on request, so that start-up does not load
// the GB18030 converter before anything needs it.
QString gRunDirectory;
QtMessageHandler gPreviousMessageHandler = nullptr;
bool gGuardingStartUp = false;

// Whole milliseconds for a wake-up timer after nanoseconds: one more than
// the time left, so the timer fires only once it has passed, and never more
// than a timer takes (a pause of INT_MAX ms would otherwise overflow).
int WakeAfter(qint64 nanoseconds) {
  return static_cast<int>(std::min<qint64>(nanoseconds / 1000000 + 1, INT_MAX));
}

std::vector<void (*)()>& ExitRoutines() {
  static std::vector<void (*)()> routines;
  return routines;
}

// Qt ends the process with abort() (a crash, to the shell) when no platform
// plugin can start, e.g. without a display, or when the platform cannot make
// a window. From InitHost until LoadWindow has shown the window, a fatal
// message is turned into a plain message and exit code 1.
void MessageHandlerAtStart(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (gPreviousMessageHandler) gPreviousMessageHandler(type, context, message);
  if (type != QtFatalMsg) return;
  std::fputs(
      "ruziduz: cannot open the window: no display or no usable Qt platform plugin.\n"
      "ruziduz: set DISPLAY to a running X server, or QT_QPA_PLATFORM to a platform that "
      "works here (for example offscreen).\n",
      stderr);
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

void InitHost() {
  if (!QApplication::instance()) {
    gPreviousMessageHandler = qInstallMessageHandler(MessageHandlerAtStart);
    gGuardingStartUp = true;
    new QApplication(gArgc, gArgv);  // lives until the process ends
  }
  gRunDirectory = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void LoadWindow(std::span<const EventBinding> bindings) {
  MainForm* form = CreateMainForm(bindings);
  form->Raise(Control::MainWindow, HostEvent::Created);
  form->ShowCentred();
  if (gGuardingStartUp) {
    qInstallMessageHandler(gPreviousMessageHandler);
    gGuardingStartUp = false;
  }
}

void RegisterExitRoutine(void (*routine)()) { ExitRoutines().push_back(routine); }

void RunEventLoop() { QApplication::exec(); }

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// Sleeps in the event dispatcher between events instead of spinning: a
// precise single-shot timer guarantees a wake-up when the time is up, and
// every other event that arrives meanwhile is handled at once. Events are
// handled at least once even when the process got no processor time until
// after the deadline, so a pause always lets pending events through.
void DelayWithEvents(int milliseconds) {
  if (milliseconds <= 0) return;
  const qint64 limit = qint64{milliseconds} * 1000000;
  QElapsedTimer elapsed;
  elapsed.start();
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(WakeAfter(limit));
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const qint64 left = limit - elapsed.nsecsElapsed();
    if (left >= 0 && !wake.isActive()) wake.start(WakeAfter(left));
  } while (elapsed.nsecsElapsed() <= limit);
}

Text RunDirectory() { return FromQString(gRunDirectory); }

void ExitProgram(int exitCode) {
  // An exit routine that itself calls ExitProgram ends the process at once.
  static bool exiting = false;
  if (!exiting) {
    exiting = true;
    for (void (*routine)() : ExitRoutines()) routine();
  }
  std::fflush(nullptr);
  // _Exit: no static destructors and no Qt teardown under a handler that is
  // still running further down the stack.
  std::_Exit(exitCode);
}
