#pragma once
// What the live readings list and the window caption show for a reading.
#include <optional>
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

// The list's rows in their order; RPM and the wind only when the options show them.
enum class ListQuantity { Volts, Amps, Watts, WattHours, RPM, Wind };
inline constexpr int kListQuantities = static_cast<int>(ListQuantity::Wind) + 1;

// Where the quantity stands in the list `options` builds; nullopt when it is not shown.
std::optional<size_t> listRowOf(ListQuantity quantity, const ListOptions& options);
// How many rows the list has.
size_t listRowCount(const ListOptions& options);

// The WattHours row: always shown, and no row before it is optional.
inline constexpr int kWattHoursRow = static_cast<int>(ListQuantity::WattHours);
// Its value column.
std::string wattHoursText(double wattHours);

// The rows before any reading: every value "0.0".
std::vector<ListRow> initialRows(const ListOptions& options);

// The rows for a reading and the day's watt-hours.
std::vector<ListRow> readingRows(const Reading& reading, double wattHours,
                                 const ListOptions& options);

// "Tamsel  12.48V 3.2A 40W".
std::string readingCaption(const Reading& reading);

}  // namespace tamsel
