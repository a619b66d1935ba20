#include "calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/calibration.h"

namespace sim {
namespace {

// Shortest text of a factor: whole numbers without a decimal point.
std::string factorText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
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
  return tamsel::calibrationText({factorText(cal.voltDivider), factorText(cal.voltOffset),
                                  factorText(cal.ampDivider), factorText(cal.rpmDivider),
                                  factorText(cal.wsDivider)});
}

}  // namespace sim
