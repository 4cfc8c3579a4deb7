// The window host: start-up to the main window shown against a bare Qt window
// of the same size, an append to 编辑框2 holding 10 lines against one holding
// 100,000, and resident memory with 100,000 keywords shown.
//
// Start-up is timed over whole processes, all started from this very binary
// (so loading and linking cost the same) and alternated in one run:
//   host_bench --child=ruziduz   the program's ProgramStart
//   host_bench --child=bare      QApplication and one empty fixed-size window
//   host_bench --child=label     the same window showing one Chinese caption,
//                                which pays for the font database and a CJK
//                                face as every window with text does
// Each child writes one line to stdout once its window has painted its first
// frame, and ends; the parent times from spawn to that line.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/host/host.h"
#include "app/program_start.h"

extern char** environ;

namespace {

std::string gSelf;   // path of this binary
std::string gChild;  // child mode, empty in the parent
const char kShown[] = "shown\n";

// Ends the child once the window named MainWindow has painted: the zero timer
// runs after the whole first frame, children included.
class FirstPaintWatcher : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("MainWindow")) {
      QTimer::singleShot(0, [] {
        std::fputs(kShown, stdout);
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return false;
  }
};

// Runs while the application object is created, in both kinds of child.
void WatchForFirstPaint() {
  if (!gChild.empty()) qApp->installEventFilter(new FirstPaintWatcher);
}

int RunBareWindow(int argc, char** argv, bool withCaption) {
  QApplication application(argc, argv);
  QWidget window;
  window.setObjectName(QStringLiteral("MainWindow"));
  window.setFixedSize(524, 536);
  if (withCaption) new QLabel(QString::fromUtf8("Ruziduz网站关键词提取工具"), &window);
  window.show();
  return application.exec();
}

// Seconds from spawning the child until it reports its window shown.
double TimeChild(const char* mode) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  const std::string flag = std::string("--child=") + mode;
  char* childArgv[] = {gSelf.data(), const_cast<char*>(flag.c_str()), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, gSelf.c_str(), &actions, nullptr, childArgv, environ) != 0) std::abort();
  close(pipeFds[1]);
  char line[sizeof kShown] = {};
  const ssize_t got = read(pipeFds[0], line, sizeof line - 1);
  const auto shown = std::chrono::steady_clock::now();
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  if (got <= 0 || std::strcmp(line, kShown) != 0) std::abort();
  return std::chrono::duration<double>(shown - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void BM_StartupToWindowShown(benchmark::State& state) {
  std::vector<double> bare, label, program;
  for (auto _ : state) {
    bare.push_back(TimeChild("bare"));
    label.push_back(TimeChild("label"));
    program.push_back(TimeChild("ruziduz"));
  }
  state.counters["bare_ms"] = Median(bare) * 1000;
  state.counters["label_ms"] = Median(label) * 1000;
  state.counters["ruziduz_ms"] = Median(program) * 1000;
  state.counters["ratio"] = Median(program) / Median(bare);
  state.counters["ratio_to_label"] = Median(program) / Median(label);
}
BENCHMARK(BM_StartupToWindowShown)->Iterations(30)->Unit(benchmark::kMillisecond);

// One keyword appended to 编辑框2 holding range(0) lines; with range(1), the
// events the append causes (layout, painting) handled too, as the paced
// display does after every keyword.
void BM_AppendKeyword(benchmark::State& state) {
  const bool withEvents = state.range(1) != 0;
  Text lines;
  for (int64_t i = 0; i < state.range(0); ++i) lines += "keyword " + std::to_string(i) + "\r\n";
  WriteText(Control::编辑框2, lines);
  ProcessEvents();
  for (auto _ : state) {
    AppendText(Control::编辑框2, "\xB9\xD8\xBC\xFC\xB4\xCA\r\n");
    if (withEvents) ProcessEvents();
  }
  WriteText(Control::编辑框2, Text());
}
BENCHMARK(BM_AppendKeyword)
    ->ArgNames({"lines", "events"})
    ->ArgsProduct({{10, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

// 100,000 keywords appended one by one, as a long run shows them.
void BM_ResidentWith100000Keywords(benchmark::State& state) {
  WriteText(Control::编辑框2, Text());
  ProcessEvents();
  const double before = ResidentMegabytes();
  for (auto _ : state) {
    for (int i = 0; i < 100000; ++i) {
      AppendText(Control::编辑框2, "\xB9\xD8\xBC\xFC\xB4\xCA " + std::to_string(i) + "\r\n");
      if (i % 1000 == 0) ProcessEvents();
    }
    ProcessEvents();
  }
  state.counters["rss_before_MB"] = before;
  state.counters["rss_MB"] = ResidentMegabytes();
  WriteText(Control::编辑框2, Text());
}
BENCHMARK(BM_ResidentWith100000Keywords)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)

int main(int argc, char** argv) {
  gSelf = "/proc/self/exe";
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc > 1 && std::strncmp(argv[1], "--child=", 8) == 0) {
    gChild = argv[1] + 8;
    if (gChild == "ruziduz") return ProgramStart();
    return RunBareWindow(argc, argv, gChild == "label");
  }
  benchmark::Initialize(&argc, argv);
  InitHost();
  LoadWindow({});
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::fflush(nullptr);
  std::_Exit(0);
}
