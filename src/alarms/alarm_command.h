#pragma once
// The owner's alarm command: which program it names, and whether it can be run.
#include <optional>
#include <string>

#include "alarms/alarm_settings.h"

namespace tamsel {

// The program a Command value names: an absolute path as it is, anything
// else beside the program's other files in `programFolder`.
std::string commandProgram(const std::string& command, const std::string& programFolder);

// Whether `path` is a regular file this user may run.
bool isRunnableProgram(const std::string& path);
// Why it is not ("is missing", "is a folder", "is not executable"); empty when it is.
std::string notRunnableReason(const std::string& path);

// alarm.cfg's Command checked as the file is read, so a program that cannot
// be run is known before the first alarm needs it.
std::optional<AlarmProblem> commandProblem(const std::string& command,
                                           const std::string& programFolder);

}  // namespace tamsel
