#pragma once
// The performance figures as the texts the window's tables and the CSV
// export show: one place decides how each figure reads.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/performance.h"

namespace tamsel {

// A table as text: its column headings and rows of cells.
struct TextTable {
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
};

// Where a figure cannot be given, the window's cell shows the reason; a CSV
// field is left empty, so a spreadsheet sees no number rather than words.
enum class MissingAs { Reason, Empty };

// bin, wind, power, std, rpm, count, minutes, Cp, TSR, complete.
TextTable binTable(const PerformanceReport& report, MissingAs missing);
// For each mean wind: measured, extrapolated and the maker's kWh a year, and
// the capacity factor.
TextTable aepTable(const PerformanceReport& report);
// date, lowest volts and when, highest volts and when, Ah, Wh, hours full.
TextTable batteryTable(const PerformanceReport& report, MissingAs missing);

// The range's single figures, each a number with its unit or the reason it
// cannot be given.
struct SummaryTexts {
  std::string delivered;
  std::string promised;
  std::string ratio;
  std::string daysSinceFull;
  std::string airDensity;  // Latin-1: kg/m³
  std::string records;
  std::string notes;  // why there is no curve, days that cannot be read; empty when none
};
SummaryTexts summaryTexts(const PerformanceReport& report);

// The headings and one line per row, fields between commas, each line ended
// by CR LF.
std::string csvText(const TextTable& table);

// "Performance_bins_2024_03_01_2024_03_03.csv" for `what` "bins".
std::string performanceCsvName(std::string_view what, const DateRange& range);

}  // namespace tamsel
