#include "calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sim {
namespace {

// Shortest text of a factor: whole numbers without a decimal point.
std::string factorText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::string tagLine(const char* name, double value) {
  return std::string("<") + name + ">" + factorText(value) + "</" + name + ">\r\n";
}

}  // namespace

Decoded decode(const Counts& counts, const Calibration& cal) {
  Decoded d;
  d.volts = counts.v / cal.voltDivider;
  d.amps = std::max(0.0, (counts.i - cal.voltOffset) / cal.ampDivider);
  // The logger multiplies the two values as it shows them, to two decimals.
  d.watts = std::round(d.volts * 100) / 100 * (std::round(d.amps * 100) / 100);
  d.rpm = counts.r / cal.rpmDivider * 60;
  d.windSpeed = counts.s / cal.wsDivider;
  return d;
}

std::string settingsFileText(const Calibration& cal) {
  return "Calibration Settings\r\n\r\n\r\n" + tagLine("VoltDivider", cal.voltDivider) +
         tagLine("VoltOffset", cal.voltOffset) + tagLine("AmpDivider", cal.ampDivider) +
         tagLine("RPMDivider", cal.rpmDivider) + tagLine("WSDivider", cal.wsDivider);
}

}  // namespace sim
