#pragma once
// The files a logging tick, the energy tick and start-up write beside the
// program: logs/P_<date>.txt, logs/Whours.txt, html/history<date>.txt,
// html/log.asp (from html/template.asp) and excel/<date>.xls. Each call opens,
// writes and closes; nothing stays open between ticks.
#include <string>
#include <string_view>

#include "logging/averaging.h"
#include "platform/clock.h"
#include "platform/status.h"

namespace tamsel {

class LogFiles {
 public:
  explicit LogFiles(std::string programFolder);

  // One lower-case name each; the spreadsheet and CSV folder is "excel".
  std::string logsFolder() const { return folder_ + "/logs"; }
  std::string htmlFolder() const { return folder_ + "/html"; }
  std::string excelFolder() const { return folder_ + "/excel"; }

  // Start-up: logs, excel and html; ones that exist or cannot be made are
  // passed over.
  void makeFolders() const;

  // Start-up: creates the day's log file when missing and returns the
  // watt-hours its records hold at `delaySeconds` each, or why the file cannot
  // be made or read, naming it.
  Result<double> recountDay(const LocalDateTime& day, double delaySeconds) const;

  // The tick's record, appended to the day's log file and on disk before the
  // call returns; a torn last line of the file is ended first.
  Status appendRecord(const LocalDateTime& now, const AveragedValues& values,
                      double wattHours) const;

  // The HTML step: the history line, then log.asp from template.asp. On a
  // failure the history line already written stays and log.asp keeps its old
  // content; the caller then skips the spreadsheet step.
  Status writeHtml(const LocalDateTime& now, const AveragedValues& values, double wattHours,
                   std::string_view windUnits) const;

  // The spreadsheet step: the header when the day's file is missing, then the row.
  Status appendSpreadsheetRow(const LocalDateTime& now, const AveragedValues& values,
                              std::string_view windUnits) const;

  // A midnight or leaving line (see energy_counter.h) for logs/Whours.txt.
  Status appendWattHoursLine(std::string_view line) const;

 private:
  std::string folder_;
};

}  // namespace tamsel
