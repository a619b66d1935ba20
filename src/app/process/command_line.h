#pragma once
// What the program is asked to do on its command line.
#include <string>
#include <vector>

#include "platform/status.h"

namespace tamsel {

struct CommandLine {
  enum class Mode { Window, Headless, Help, Version };
  Mode mode = Mode::Window;
  std::string folder;  // --folder DIR; empty to choose by the usual rule
};

// The arguments after the program's name. An unknown option, a missing
// folder or two modes at once is an error (the caller prints the usage).
Result<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);

// A few lines for --help and after a usage error.
std::string usageText();

}  // namespace tamsel
