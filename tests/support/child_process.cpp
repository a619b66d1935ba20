#include "support/child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tamsel::test {

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& outputPath,
                         const ChildEnvironment& environment) {
  stop();
  // Everything the child needs is made before fork: after it, only exec.
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<std::string> envText = environment.variables;
  if (environment.display) envText.emplace_back("QT_QPA_PLATFORM=offscreen");
  std::vector<std::string> dropped = {"QT_QPA_PLATFORM"};
  if (!environment.display) dropped.insert(dropped.end(), {"DISPLAY", "WAYLAND_DISPLAY"});
  for (const auto& variable : environment.variables) {
    dropped.push_back(variable.substr(0, variable.find('=')));
  }
  for (char** e = environ; *e; ++e) {
    const std::string_view variable = *e;
    if (std::none_of(dropped.begin(), dropped.end(),
                     [&](const std::string& name) { return variable.starts_with(name + "="); })) {
      envText.emplace_back(variable);
    }
  }
  std::vector<char*> env;
  for (auto& e : envText) env.push_back(e.data());
  env.push_back(nullptr);
  const int out = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (out < 0) return false;

  const pid_t pid = ::fork();
  if (pid == 0) {
    if (environment.streamsClosed) {
      for (int fd = 0; fd <= 2; ++fd) ::close(fd);
    } else {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    ::execve(args[0], args.data(), env.data());
    ::_exit(127);
  }
  ::close(out);
  if (pid < 0) return false;
  pid_ = pid;
  return true;
}

bool ChildProcess::reap(int waitMs, int& status) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  return true;
}

int ChildProcess::exitStatus(int waitMs) {
  int status = 0;
  if (pid_ <= 0) return -1;
  if (!reap(waitMs, status)) {
    stop(SIGKILL);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ChildProcess::stop(int signal, int waitMs) {
  if (pid_ <= 0) return true;
  ::kill(pid_, signal);
  int status = 0;
  if (reap(waitMs, status)) return true;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return false;
}

double ChildProcess::cpuSeconds() const {
  if (pid_ <= 0) return -1;
  std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 1));
  std::vector<std::string> f;
  for (std::string s; fields >> s;) f.push_back(s);
  // After the name come the state (field 3) ... utime (14) and stime (15).
  if (f.size() < 13) return -1;
  const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
  return (std::stod(f[11]) + std::stod(f[12])) / ticks;
}

bool ChildProcess::hasOpen(const std::string& path) const {
  if (pid_ <= 0) return false;
  std::error_code error;
  for (const auto& fd :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", error)) {
    if (std::filesystem::read_symlink(fd.path(), error) == path) return true;
  }
  return false;
}

}  // namespace tamsel::test
