#include "logging/spreadsheet.h"

#include "platform/number_format.h"

namespace tamsel {

std::string spreadsheetFileName(const LocalDateTime& date) {
  return dateStamp(date) + ".xls";
}

std::string spreadsheetHeader(std::string_view windUnits) {
  std::string header =
      "<html><body><table><tr><td><b>Volts</b></td><td><b>Amps</b></td><td><b>Watts</b></td>"
      "<td><b>RPM</b></td><td><b>";
  header.append(windUnits);
  header.append("</b></td><td><b>Mode</b></td><td><b>Time</b></td></tr>\r\n");
  return header;
}

std::string spreadsheetRow(const AveragedValues& values, const LocalDateTime& time) {
  std::string row = "<tr><td>";
  row.append(values.volts).append("</td><td>");
  row.append(values.amps).append("</td><td>");
  row.append(values.watts).append("</td><td>");
  row.append(values.rpm).append("</td><td>");
  row.append(plainNumberText(values.windSpeed)).append("</td><td>");
  row.append(kModeText).append("</td><td>");
  row.append(longTime(time)).append("</td></tr>\r\n");
  return row;
}

}  // namespace tamsel
