#include "tests/support/sample_service.h"

#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

constexpr char kListeningPrefix[] = "listening on 127.0.0.1:";
constexpr int kStartTimeoutMs = 10000;

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
    if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
    if (x != y) return false;
  }
  return true;
}

// Reads the child's first output line; gives "" when none arrives in time.
std::string ReadFirstLine(int fd) {
  std::string line;
  pollfd p{fd, POLLIN, 0};
  while (line.empty() || line.back() != '\n') {
    if (poll(&p, 1, kStartTimeoutMs) <= 0) return "";
    char c;
    ssize_t n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return "";
    line += c;
  }
  line.pop_back();
  return line;
}

// Undoes the log's escapes: \\ \t \r \n and \xHH.
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    char e = s[++i];
    if (e == 't') {
      out += '\t';
    } else if (e == 'r') {
      out += '\r';
    } else if (e == 'n') {
      out += '\n';
    } else if (e == 'x' && i + 2 < s.size()) {
      out += static_cast<char>(std::strtol(s.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += e;
    }
  }
  return out;
}

std::vector<std::string> SplitAtTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::string LoggedRequest::Header(const std::string& name) const {
  for (const auto& [n, v] : headers) {
    if (!EqualsIgnoringAsciiCase(n, name)) continue;
    const std::size_t first = v.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return v.substr(first, v.find_last_not_of(" \t") + 1 - first);
  }
  return "";
}

bool LoggedRequest::HasHeader(const std::string& name) const {
  for (const auto& h : headers)
    if (EqualsIgnoringAsciiCase(h.first, name)) return true;
  return false;
}

LoggedRequest ParseLogLine(const std::string& line) {
  std::vector<std::string> fields = SplitAtTabs(line);
  LoggedRequest r;
  if (fields.size() < 2) return r;
  r.method = Unescape(fields[0]);
  r.target = Unescape(fields[1]);
  for (std::size_t i = 2; i < fields.size(); ++i) {
    // A header line as received: the name ends at the first colon (names are
    // HTTP tokens, which hold none); a line without one is all name.
    std::string raw = Unescape(fields[i]);
    std::size_t colon = raw.find(':');
    if (colon == std::string::npos) {
      r.headers.emplace_back(raw, "");
    } else {
      r.headers.emplace_back(raw.substr(0, colon), raw.substr(colon + 1));
    }
  }
  return r;
}

SampleService::SampleService(Options options) {
  if (options.log) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/sample-service-XXXXXX.log";
    int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) throw std::runtime_error("cannot create a log file for the sample service");
    close(fd);
    logPath_ = pattern;
  }
  std::string binary = RUZIDUZ_SAMPLE_SERVICE_PATH;
  std::vector<std::string> args = {binary, "--port", "0"};
  if (!logPath_.empty()) {
    args.push_back("--log");
    args.push_back(logPath_);
  }
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("cannot create a pipe for the sample service");
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    throw std::runtime_error("cannot start the sample service");
  }
  pid_ = pid;
  stdoutFd_ = pipeFds[0];

  std::string line = ReadFirstLine(stdoutFd_);
  if (line.rfind(kListeningPrefix, 0) == 0)
    port_ = std::atoi(line.c_str() + sizeof kListeningPrefix - 1);
  if (port_ <= 0) {
    Stop();
    throw std::runtime_error("sample service did not start (" + binary + "): first line \"" + line +
                             "\"");
  }
}

SampleService::~SampleService() {
  Stop();
  if (!logPath_.empty()) unlink(logPath_.c_str());
}

std::string SampleService::proxyUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> SampleService::LogLines() const {
  std::vector<std::string> lines;
  if (logPath_.empty()) return lines;
  std::ifstream in(logPath_, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<LoggedRequest> SampleService::Requests() const {
  std::vector<LoggedRequest> requests;
  for (const auto& line : LogLines()) requests.push_back(ParseLogLine(line));
  return requests;
}

int SampleService::Stop(int signal) {
  if (pid_ > 0) {
    kill(pid_, signal);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
  }
  if (stdoutFd_ >= 0) {
    close(stdoutFd_);
    stdoutFd_ = -1;
  }
  return exitStatus_;
}
