#include "performance/performance_tables.h"

#include "platform/number_format.h"

namespace tamsel {
namespace {

// The reason a figure is left out; the analysis names one for every figure
// it leaves out, the fallback only keeps a cell from looking like a value.
std::string reasonFor(const PerformanceReport& report, std::string_view figure) {
  std::string reason = report.whyMissing(figure);
  return reason.empty() ? "not known" : reason;
}

std::string figure(const std::optional<double>& value, std::string_view mask,
                   const PerformanceReport& report, std::string_view name, MissingAs missing) {
  if (value) return formatMask(*value, mask);
  return missing == MissingAs::Reason ? reasonFor(report, name) : std::string();
}

std::string percent(double share) {
  return formatMask(share * 100, "0.0") + " %";
}

}  // namespace

TextTable binTable(const PerformanceReport& report, MissingAs missing) {
  TextTable table{{"bin (m/s)", "wind (m/s)", "power (W)", "power std (W)", "rpm", "count",
                   "minutes", "Cp", "TSR", "complete"},
                  {}};
  for (const PowerBin& bin : report.bins) {
    std::string complete = bin.complete ? (*bin.complete ? "yes" : "no") : std::string();
    if (!bin.complete && missing == MissingAs::Reason) complete = reasonFor(report, "complete");
    table.rows.push_back(
        {formatMask(bin.centre, "0.0"), formatMask(bin.wind, "0.00"), formatMask(bin.power, "0.0"),
         formatMask(bin.powerStd, "0.0"), formatMask(bin.rpm, "0"), std::to_string(bin.count),
         formatMask(bin.minutes, "0.0"), figure(bin.cp, "0.000", report, "cp", missing),
         figure(bin.tsr, "0.00", report, "tsr", missing), complete});
  }
  return table;
}

TextTable aepTable(const PerformanceReport& report) {
  TextTable table{{"mean wind (m/s)", "measured (kWh/year)", "extrapolated (kWh/year)",
                   "maker's curve (kWh/year)", "capacity factor"},
                  {}};
  constexpr MissingAs kReason = MissingAs::Reason;
  for (const AepRow& row : report.aep) {
    table.rows.push_back(
        {std::to_string(row.meanWind),
         figure(row.measuredKWh, "0.0", report, "measuredKWh", kReason),
         figure(row.extrapolatedKWh, "0.0", report, "extrapolatedKWh", kReason),
         figure(row.curveKWh, "0.0", report, "curveKWh", kReason),
         row.capacityFactor ? percent(*row.capacityFactor) : reasonFor(report, "capacityFactor")});
  }
  return table;
}

TextTable batteryTable(const PerformanceReport& report, MissingAs missing) {
  TextTable table{
      {"date", "lowest (V)", "lowest at", "highest (V)", "highest at", "Ah", "Wh", "hours full"},
      {}};
  for (const BatteryDay& day : report.battery) {
    table.rows.push_back({isoDate(day.date), formatMask(day.minVolts, "0.00"), day.minAt,
                          formatMask(day.maxVolts, "0.00"), day.maxAt,
                          formatMask(day.ampHours, "0.00"), formatMask(day.wattHours, "0.0"),
                          figure(day.hoursFull, "0.00", report, "hoursFull", missing)});
  }
  return table;
}

SummaryTexts summaryTexts(const PerformanceReport& report) {
  SummaryTexts texts;
  texts.delivered = formatMask(report.deliveredWh, "0.0") + " Wh";
  texts.promised = report.promisedWh ? formatMask(*report.promisedWh, "0.0") + " Wh"
                                     : reasonFor(report, "promisedWh");
  texts.ratio = report.ratio ? percent(*report.ratio) : reasonFor(report, "ratio");
  texts.daysSinceFull = report.daysSinceFull ? std::to_string(*report.daysSinceFull)
                                             : reasonFor(report, "daysSinceFull");
  texts.airDensity = report.airDensity ? formatMask(*report.airDensity, "0.000") + " kg/m\xb3"
                                       : reasonFor(report, "airDensity");
  texts.records = std::to_string(report.records) + (report.records == 1 ? " record" : " records");
  std::vector<std::string> notes;
  if (const std::string bins = report.whyMissing("bins"); !bins.empty()) {
    notes.push_back("No power curve: " + bins);
  }
  for (const std::string& unread : report.unreadDays) notes.push_back(unread);
  for (const std::string& note : notes) texts.notes += (texts.notes.empty() ? "" : "\n") + note;
  return texts;
}

std::string csvText(const TextTable& table) {
  std::string text;
  auto line = [&text](const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) text += (i ? "," : "") + cells[i];
    text += "\r\n";
  };
  line(table.headings);
  for (const std::vector<std::string>& row : table.rows) line(row);
  return text;
}

std::string performanceCsvName(std::string_view what, const DateRange& range) {
  return "Performance_" + std::string(what) + "_" + dateStamp(range.from) + "_" +
         dateStamp(range.to) + ".csv";
}

}  // namespace tamsel
