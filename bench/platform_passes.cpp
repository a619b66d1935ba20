// The main window's benchmarks run where a user's window runs as well as
// offscreen: unless QT_QPA_PLATFORM names a platform, the program runs
// itself once offscreen and once on an X display (the caller's, or an Xvfb
// of its own), each pass a child process with the same arguments.
#include "platform_passes.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>

namespace tamsel::bench {
namespace {

bool failed = false;

// Waits for `pid`; true when it ended by itself with status 0.
bool succeeded(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// An X server of our own, on a display it picks itself.
class Xvfb {
 public:
  Xvfb() = default;
  ~Xvfb() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    succeeded(pid_);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  // The display (":N") once the server is ready for clients; empty when it is not.
  std::string start() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {};
    const std::string writeEnd = std::to_string(fds[1]);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::fcntl(fds[1], F_SETFD, 0);  // the server's end alone stays open across exec
      ::execlp("Xvfb", "Xvfb", "-displayfd", writeEnd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", nullptr);
      ::_exit(127);
    }
    ::close(fds[1]);
    const std::string number = readLine(fds[0]);
    ::close(fds[0]);
    return number.empty() ? std::string() : ":" + number;
  }

 private:
  // The server writes its display number when ready; nothing when it fails.
  static std::string readLine(int fd) {
    std::string line;
    pollfd ready{fd, POLLIN, 0};
    char c = 0;
    while (::poll(&ready, 1, 10000) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return c == '\n' ? line : std::string();
  }

  pid_t pid_ = -1;
};

bool runPass(char** argv, const char* platform) {
  std::cerr << "-- " << platform << " --" << std::endl;
  ::setenv("QT_QPA_PLATFORM", platform, 1);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execv("/proc/self/exe", argv);
    ::_exit(127);
  }
  const bool ok = pid > 0 && succeeded(pid);
  if (!ok) std::cerr << "main_window_bench: the " << platform << " pass failed" << std::endl;
  return ok;
}

int runPasses(char** argv) {
  bool ok = runPass(argv, "offscreen");
  Xvfb server;
  if (!std::getenv("DISPLAY")) {
    const std::string display = server.start();
    if (display.empty()) {
      std::cerr << "main_window_bench: Xvfb did not start" << std::endl;
      return 1;
    }
    ::setenv("DISPLAY", display.c_str(), 1);
  }
  ok = runPass(argv, "xcb") && ok;
  return ok ? 0 : 1;
}

}  // namespace

std::string platformName() {
  return QGuiApplication::platformName().toStdString();
}

void fail(benchmark::State& state, const std::string& why) {
  failed = true;
  state.SkipWithError(why.c_str());
}

}  // namespace tamsel::bench

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) return tamsel::bench::runPasses(argv);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return tamsel::bench::failed ? 1 : 0;
}
