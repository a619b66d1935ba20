#include "telemetry/live_display.h"

#include "platform/number_format.h"

namespace tamsel {
namespace {

std::vector<ListRow> rowsWith(const std::string& volts, const std::string& amps,
                              const std::string& watts, const std::string& wattHours,
                              const std::string& rpm, const std::string& wind,
                              const ListOptions& options) {
  std::vector<ListRow> rows{
      {volts, "Volts"}, {amps, "Amps"}, {watts, "Watts"}, {wattHours, "WattHours"}};
  if (options.showRPM) rows.push_back({rpm, "RPM"});
  if (options.showWindSpeed) rows.push_back({wind, options.windUnits});
  return rows;
}

}  // namespace

int listFontPoints(const ListOptions& options) {
  if (options.showRPM && options.showWindSpeed) return 18;
  if (options.showRPM || options.showWindSpeed) return 20;
  return 24;
}

std::vector<ListRow> initialRows(const ListOptions& options) {
  const std::string zero = "0.0";
  return rowsWith(zero, zero, zero, zero, zero, zero, options);
}

std::string wattHoursText(double wattHours) {
  return formatMask(wattHours, "#####0.0");
}

std::vector<ListRow> readingRows(const Reading& r, double wattHours, const ListOptions& options) {
  return rowsWith(formatMask(r.voltsValue, "##.00"),
                  formatMask(r.ampsValue, r.ampsValue < 1 ? "#0.00" : "##0.0"),
                  formatMask(r.wattsValue, r.wattsValue > 100 ? "####0" : "###0.0"),
                  wattHoursText(wattHours), formatMask(r.rpmValue, "##0"),
                  formatMask(r.windSpeed, r.windSpeed < 10 ? "#0.0" : "##0"), options);
}

std::string readingCaption(const Reading& r) {
  return "Tamsel  " + formatMask(r.voltsValue, "#0.00") + "V " + formatMask(r.ampsValue, "#0.0") +
         "A " + formatMask(r.wattsValue, "###0") + "W";
}

}  // namespace tamsel
