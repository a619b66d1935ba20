#pragma once
// What the live readings list and the window caption show for a reading.
#include <string>
#include <vector>

#include "telemetry/reading.h"

namespace tamsel {

// Which optional rows the list has, from the configuration.
struct ListOptions {
  bool showRPM = false;
  bool showWindSpeed = false;
  std::string windUnits;  // names the wind row, as typed
};

struct ListRow {
  std::string value;  // the value column
  std::string name;   // the name column
};

inline constexpr const char* kListFontName = "Arial";

// 24 points, 20 with one optional row, 18 with both.
int listFontPoints(const ListOptions& options);

// The WattHours row, after Volts, Amps and Watts, and its value column.
inline constexpr int kWattHoursRow = 3;
std::string wattHoursText(double wattHours);

// The rows before any reading: every value "0.0".
std::vector<ListRow> initialRows(const ListOptions& options);

// The rows for a reading and the day's watt-hours.
std::vector<ListRow> readingRows(const Reading& reading, double wattHours,
                                 const ListOptions& options);

// "Tamsel  12.48V 3.2A 40W".
std::string readingCaption(const Reading& reading);

}  // namespace tamsel
