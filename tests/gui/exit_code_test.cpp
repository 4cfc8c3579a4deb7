// The program as a child process: exit code 0 when its window is closed, from
// the idle loop and from inside a handler that is pausing, with the exit
// routines run in order; and a clear message with exit code 1 when there is no
// display to open the window on.
#include <QProcess>
#include <QTest>
#include <memory>

#include "tests/gui/gui_test.h"
#include "tests/support/sample_service.h"

namespace {

struct Finished {
  QProcess::ExitStatus status;
  int code;
  QStringList out;
  QString err;
};

Finished Run(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) process.kill();
  process.waitForFinished();
  return {process.exitStatus(), process.exitCode(),
          QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
          QString::fromUtf8(process.readAllStandardError())};
}

struct CloseRow {
  const char* name;
  const char* action;  // of exit_probe
  int minShown;        // lines in 编辑框2 when the routines ran
  int maxShown;
};

const CloseRow kCloseRows[] = {
    {"close box while idle", "close-while-idle", 0, 0},
    {"Esc while a handler pauses", "esc-in-pause", 0, 0},
    {"Esc during the longest pause", "esc-in-longest-pause", 0, 0},
    {"Esc while keywords are being shown", "esc-in-flush", 1, 99},
    {"Esc during an extraction run", "esc-in-run", 1, 26},  // of x.cn's 27
};

struct StartRow {
  const char* name;
  const char* platform;
  bool withoutDisplay;
};

const StartRow kStartRows[] = {
    {"no such platform plugin", "no-such-plugin", false},
    {"X11 without a display", "xcb", true},
};

}  // namespace

class ExitCodeTest : public QObject {
  Q_OBJECT

 private slots:
  // The probe's run fetches its pages from the sample service.
  void initTestCase() { service_ = std::make_unique<SampleService>(); }

  void cleanupTestCase() { service_.reset(); }

  void closingTheWindowEndsTheProgramWithZero_data() { AddTableRows(kCloseRows); }

  void closingTheWindowEndsTheProgramWithZero() {
    const CloseRow& close = FetchTableRow(kCloseRows);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("http_proxy", QString::fromStdString(service_->proxyUrl()));
    const Finished run = Run(RUZIDUZ_EXIT_PROBE_PATH, {close.action}, environment);
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.code == 0, qPrintable(run.err));
    // The created handler ran during LoadWindow, the exit routines ran in
    // the order of registration, and the paused handler never went on.
    QCOMPARE(run.out.size(), 3);
    QCOMPARE(run.out[0], QStringLiteral("ExtractionFinished after LoadWindow: false"));
    QCOMPARE(run.out[1], QStringLiteral("exit routine registered first"));
    const QString prefix =
        QStringLiteral("exit routine registered last: PendingKeywords released, ");
    QVERIFY2(run.out[2].startsWith(prefix), qPrintable(run.out[2]));
    const int shown = run.out[2].mid(prefix.size()).section(' ', 0, 0).toInt();
    QVERIFY2(shown >= close.minShown && shown <= close.maxShown, qPrintable(run.out[2]));
  }

  void startWithoutADisplayFailsCleanly_data() { AddTableRows(kStartRows); }

  void startWithoutADisplayFailsCleanly() {
    const StartRow& start = FetchTableRow(kStartRows);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", start.platform);
    if (start.withoutDisplay) {
      environment.remove("DISPLAY");
      environment.remove("WAYLAND_DISPLAY");
    }
    const Finished run = Run(RUZIDUZ_PROGRAM_PATH, {}, environment);
    QCOMPARE(run.status, QProcess::NormalExit);  // not killed by a signal
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("ruziduz: cannot open the window"), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
  }

 private:
  std::unique_ptr<SampleService> service_;
};

REGISTER_GUI_TEST(ExitCodeTest);

#include "exit_code_test.moc"
