#pragma once
// A program the test starts and, whatever happens, stops and reaps.
#include <sys/types.h>

#include <csignal>
#include <string>
#include <vector>

namespace tamsel::test {

// What a child sees of the environment: the test's own, with windows drawn
// offscreen, or with no display at all.
struct ChildEnvironment {
  bool display = true;
  // Started with standard input, output and error closed, as some service
  // managers do; the output file then stays empty.
  bool streamsClosed = false;
  // "NAME=value" entries set on top, replacing what the rest would give
  // (QT_QPA_PLATFORM=wayland with a compositor of the test's own).
  std::vector<std::string> variables = {};
};

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess() { stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `argv[0]` with `argv`; stdout and stderr go to `outputPath`.
  bool start(const std::vector<std::string>& argv, const std::string& outputPath,
             const ChildEnvironment& environment = {});
  // Waits for the process to end by itself and returns its exit status; -1
  // when it did not end within `waitMs` (it is then killed) or died by a signal.
  int exitStatus(int waitMs = 10000);
  pid_t pid() const { return pid_; }
  // Sends `signal` and waits up to `waitMs` for the process to end; a process
  // still there then is killed. Returns true when it ended within the wait.
  bool stop(int signal = SIGTERM, int waitMs = 2000);
  // User plus system CPU time so far, from /proc/<pid>/stat; -1 if unknown.
  double cpuSeconds() const;
  // Whether the process holds `path` open, by its descriptors in /proc.
  bool hasOpen(const std::string& path) const;

 private:
  // Reaps the process if it ends within `waitMs`; false when it is still there.
  bool reap(int waitMs, int& status);

  pid_t pid_ = -1;
};

}  // namespace tamsel::test
