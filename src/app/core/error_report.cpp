#include "app/core/error_report.h"

#include "platform/text_file.h"

namespace tamsel {

std::string errorLogLine(const LocalDateTime& at, const ErrorReport& report) {
  return dateStamp(at) + "  " + longTime(at) + "  " + report.errorMessage + "  " +
         report.errorText + " <IM> " + report.lastFrameText;
}

std::string appendToErrorLog(const std::string& programFolder, const LocalDateTime& at,
                             const ErrorReport& report) {
  std::string line = errorLogLine(at, report);
  (void)appendLine(programFolder + "/errorlog.txt", line);
  return line;
}

std::string trappedMessage(const LocalDateTime& at, const ErrorReport& report) {
  return "  Last Error trapped  " + longTime(at) + "  ---  " + report.errorMessage + "  " +
         report.errorText;
}

}  // namespace tamsel
