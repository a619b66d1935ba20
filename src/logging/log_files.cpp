#include "logging/log_files.h"

#include <optional>
#include <utility>

#include "logging/day_file_name.h"
#include "logging/energy_recount.h"
#include "logging/html_page.h"
#include "logging/record_line.h"
#include "logging/spreadsheet.h"
#include "platform/text_file.h"

namespace tamsel {

LogFiles::LogFiles(std::string programFolder) : folder_(std::move(programFolder)) {}

void LogFiles::makeFolders() const {
  makeFolder(logsFolder());
  makeFolder(excelFolder());
  makeFolder(htmlFolder());
}

Result<double> LogFiles::recountDay(const LocalDateTime& day, double delaySeconds) const {
  const std::string name = dayFileName(day);
  const std::string path = logsFolder() + "/" + name;
  (void)touchFile(path);  // a failure shows as an unreadable file below
  const Result<std::string> text = readWholeFile(path);
  if (!text) return Status::failure("logs/" + name + " cannot be read: " + text.error());
  return recountWattHours(*text, delaySeconds);
}

Status LogFiles::appendRecord(const LocalDateTime& now, const AveragedValues& values,
                              double wattHours) const {
  return appendLine(logsFolder() + "/" + dayFileName(now), recordLine(now, values, wattHours),
                    Durability::OnDisk);
}

Status LogFiles::writeHtml(const LocalDateTime& now, const AveragedValues& values, double wattHours,
                           std::string_view windUnits) const {
  Status appended =
      appendLine(htmlFolder() + "/" + historyFileName(now), historyLine(values, windUnits, now));
  if (!appended) return appended;
  const Result<std::string> templateText = readWholeFile(htmlFolder() + "/template.asp");
  if (!templateText) return Status::failure("template.asp: " + templateText.error());
  return replaceFile(htmlFolder() + "/log.asp",
                     fillTemplate(*templateText, values, wattHours, now));
}

Status LogFiles::appendSpreadsheetRow(const LocalDateTime& now, const AveragedValues& values,
                                      std::string_view windUnits) const {
  const std::string path = excelFolder() + "/" + spreadsheetFileName(now);
  if (!fileExists(path)) {
    // Header and row are texts with their own line end, written as lines.
    Status started = replaceFile(path, spreadsheetHeader(windUnits) + std::string(kLineEnd));
    if (!started) return started;
  }
  return appendLine(path, spreadsheetRow(values, now));
}

Status LogFiles::appendWattHoursLine(std::string_view line) const {
  return appendLine(logsFolder() + "/Whours.txt", line, Durability::OnDisk);
}

}  // namespace tamsel
