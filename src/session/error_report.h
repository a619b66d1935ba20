#pragma once
// The texts of the error reporter (session/error_reporter.h): one errorlog.txt
// line and the message line.
#include <string>

#include "platform/clock.h"

namespace tamsel {

struct ErrorReport {
  std::string errorMessage;   // the operation under way
  std::string errorText;      // the failure's description; empty when none is pending
  std::string lastFrameText;  // the last frame taken
};

// "2010_05_23  14:05:33  checksum error   <IM> [<V>...]" (no line end).
std::string errorLogLine(const LocalDateTime& at, const ErrorReport& report);

// "  Last Error trapped  14:05:33  ---  checksum error  ".
std::string trappedMessage(const LocalDateTime& at, const ErrorReport& report);

}  // namespace tamsel
