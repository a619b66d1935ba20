#include "web/day_summary.h"

#include "platform/json_text.h"
#include "platform/number_format.h"

namespace tamsel {
namespace {

constexpr std::string_view kRaised = " alarm raised";

// "2010_05_23" at the start of a line.
std::optional<CalendarDate> stampedDate(std::string_view line) {
  if (line.size() < 10 || line[4] != '_' || line[7] != '_') return std::nullopt;
  int parts[3] = {0, 0, 0};
  const int starts[3] = {0, 5, 8};
  const int lengths[3] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (int i = 0; i < lengths[p]; ++i) {
      const char c = line[starts[p] + i];
      if (c < '0' || c > '9') return std::nullopt;
      parts[p] = parts[p] * 10 + (c - '0');
    }
  }
  const CalendarDate date{parts[0], parts[1], parts[2]};
  if (!isRealDate(date)) return std::nullopt;
  return date;
}

std::string optionalNumber(const std::optional<double>& value) {
  return value ? jsonNumeral(*value) : "null";
}

std::string rowJson(const SummaryRow& row) {
  const BatteryDay& d = row.day;
  return "{" + jsonKey("date") + jsonQuoted(isoDate(d.date)) + "," + jsonKey("wattHours") +
         jsonNumeral(row.wattHours) + "," + jsonKey("ampHours") + jsonNumeral(d.ampHours) + "," +
         jsonKey("minVolts") + jsonNumeral(d.minVolts) + "," + jsonKey("minAt") +
         jsonQuoted(d.minAt) + "," + jsonKey("maxVolts") + jsonNumeral(d.maxVolts) + "," +
         jsonKey("maxAt") + jsonQuoted(d.maxAt) + "," + jsonKey("peakWatts") +
         jsonNumeral(d.peakWatts) + "," + jsonKey("peakAt") + jsonQuoted(d.peakAt) + "," +
         jsonKey("maxWind") + jsonNumeral(d.maxWind) + "," + jsonKey("maxRpm") +
         jsonNumeral(d.maxRpm) + "," + jsonKey("hoursFull") + optionalNumber(d.hoursFull) + "," +
         jsonKey("alarm") + jsonBool(row.alarmRaised) + "}";
}

}  // namespace

std::set<CalendarDate> alarmDays(std::string_view text) {
  std::set<CalendarDate> days;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    // The alarm's words follow the date and the time: "  14:05:33  LowVolts alarm raised".
    const size_t words = 22;
    if (line.size() <= words) continue;
    const size_t kindEnd = line.find(' ', words);
    if (kindEnd == std::string_view::npos || line.substr(kindEnd, kRaised.size()) != kRaised)
      continue;
    if (const std::optional<CalendarDate> date = stampedDate(line)) days.insert(*date);
  }
  return days;
}

std::string summaryJson(const CalendarDate& from, const CalendarDate& to,
                        std::string_view windUnits, const std::vector<SummaryRow>& rows) {
  std::string json = "{" + jsonKey("from") + jsonQuoted(isoDate(from)) + "," + jsonKey("to") +
                     jsonQuoted(isoDate(to)) + "," + jsonKey("windUnits") + jsonQuoted(windUnits) +
                     "," + jsonKey("rows") + "[";
  for (size_t i = 0; i < rows.size(); ++i) json += (i ? "," : "") + rowJson(rows[i]);
  return json + "]}";
}

std::string summaryCsv(const std::vector<SummaryRow>& rows) {
  std::string text =
      "date,kWh,Ah,lowest V,at,highest V,at,peak W,at,highest wind,highest RPM,hours full,"
      "alarm\r\n";
  for (const SummaryRow& row : rows) {
    const BatteryDay& d = row.day;
    text += isoDate(d.date) + "," + formatMask(row.wattHours / 1000, "0.000") + "," +
            formatMask(d.ampHours, "0.00") + "," + formatMask(d.minVolts, "0.00") + "," + d.minAt +
            "," + formatMask(d.maxVolts, "0.00") + "," + d.maxAt + "," +
            formatMask(d.peakWatts, "0.0") + "," + d.peakAt + "," + formatMask(d.maxWind, "0.0") +
            "," + formatMask(d.maxRpm, "0") + "," +
            (d.hoursFull ? formatMask(*d.hoursFull, "0.00") : "") + "," +
            (row.alarmRaised ? "yes" : "no") + "\r\n";
  }
  return text;
}

}  // namespace tamsel
