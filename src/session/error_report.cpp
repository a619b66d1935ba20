#include "session/error_report.h"

namespace tamsel {

std::string errorLogLine(const LocalDateTime& at, const ErrorReport& report) {
  return dateStamp(at) + "  " + longTime(at) + "  " + report.errorMessage + "  " +
         report.errorText + " <IM> " + report.lastFrameText;
}

std::string trappedMessage(const LocalDateTime& at, const ErrorReport& report) {
  return "  Last Error trapped  " + longTime(at) + "  ---  " + report.errorMessage + "  " +
         report.errorText;
}

}  // namespace tamsel
