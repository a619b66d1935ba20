#include "telemetry/live_display.h"

#include <array>

#include "platform/number_format.h"

namespace tamsel {
namespace {

bool isShown(ListQuantity quantity, const ListOptions& options) {
  if (quantity == ListQuantity::RPM) return options.showRPM;
  if (quantity == ListQuantity::Wind) return options.showWindSpeed;
  return true;
}

std::string nameOf(ListQuantity quantity, const ListOptions& options) {
  static constexpr const char* kNames[] = {"Volts", "Amps", "Watts", "WattHours", "RPM"};
  if (quantity == ListQuantity::Wind) return options.windUnits;
  return kNames[static_cast<int>(quantity)];
}

// How many of the first `count` quantities the list shows.
size_t shownAmong(int count, const ListOptions& options) {
  size_t shown = 0;
  for (int i = 0; i < count; ++i) shown += isShown(static_cast<ListQuantity>(i), options);
  return shown;
}

// The value column of each quantity, in the list's order.
using ListValues = std::array<std::string, kListQuantities>;

std::vector<ListRow> rowsWith(const ListValues& values, const ListOptions& options) {
  std::vector<ListRow> rows;
  for (int i = 0; i < kListQuantities; ++i) {
    const auto quantity = static_cast<ListQuantity>(i);
    if (isShown(quantity, options)) rows.push_back({values[i], nameOf(quantity, options)});
  }
  return rows;
}

}  // namespace

int listFontPoints(const ListOptions& options) {
  if (options.showRPM && options.showWindSpeed) return 18;
  if (options.showRPM || options.showWindSpeed) return 20;
  return 24;
}

std::optional<size_t> listRowOf(ListQuantity quantity, const ListOptions& options) {
  if (!isShown(quantity, options)) return std::nullopt;
  return shownAmong(static_cast<int>(quantity), options);
}

size_t listRowCount(const ListOptions& options) {
  return shownAmong(kListQuantities, options);
}

std::vector<ListRow> initialRows(const ListOptions& options) {
  ListValues zeros;
  zeros.fill("0.0");
  return rowsWith(zeros, options);
}

std::string wattHoursText(double wattHours) {
  return formatMask(wattHours, "#####0.0");
}

std::vector<ListRow> readingRows(const Reading& r, double wattHours, const ListOptions& options) {
  return rowsWith(
      {formatMask(r.voltsValue, "##.00"),
       formatMask(r.ampsValue, r.ampsValue < 1 ? "#0.00" : "##0.0"),
       formatMask(r.wattsValue, r.wattsValue > 100 ? "####0" : "###0.0"), wattHoursText(wattHours),
       formatMask(r.rpmValue, "##0"), formatMask(r.windSpeed, r.windSpeed < 10 ? "#0.0" : "##0")},
      options);
}

std::string readingCaption(const Reading& r) {
  return "Tamsel  " + formatMask(r.voltsValue, "#0.00") + "V " + formatMask(r.ampsValue, "#0.0") +
         "A " + formatMask(r.wattsValue, "###0") + "W";
}

}  // namespace tamsel
