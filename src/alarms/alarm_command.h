#pragma once
// The owner's alarm command: which program it names, and whether it can be run.
#include <string>

namespace tamsel {

// The program a Command value names: an absolute path as it is, anything
// else beside the program's other files in `programFolder`.
std::string commandProgram(const std::string& command, const std::string& programFolder);

// Whether `path` is a regular file this user may run.
bool isRunnableProgram(const std::string& path);

}  // namespace tamsel
