#include "alarms/alarm_command.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tamsel {

std::string commandProgram(const std::string& command, const std::string& programFolder) {
  if (command.empty() || command.front() == '/') return command;
  return programFolder + "/" + command;
}

bool isRunnableProgram(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

}  // namespace tamsel
