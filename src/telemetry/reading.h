#pragma once
// One decoded reading and the calibration that scales raw counts into it.
#include <string>

#include "config/calibration.h"

namespace tamsel {

// The current reading. Volts, amps, watts and RPM are kept as the texts the
// decoder formatted (so every later use sees the same rounded value), the
// wind speed as a number; the numeric twins save reparsing on every use.
struct Reading {
  std::string volts = "0";  // "##0.00"
  std::string amps = "0";   // "##0.00", or "0" when the current is below zero
  std::string watts = "0";  // "####0.0"
  std::string rpm = "0";    // "##0.0"
  double windSpeed = 0;     // rounded to one decimal

  double voltsValue = 0;
  double ampsValue = 0;
  double wattsValue = 0;
  double rpmValue = 0;
};

// The calibration's values are checked only when a frame is scaled, so a bad
// value shows up as a decoding failure. Each is parsed once, so frames are not left to reparse it.
// `failure` says why it cannot be used (not a number, a zero divider).
struct ScaleFactor {
  double value = 0;
  std::string failure;
};

struct Scale {
  ScaleFactor voltDivider, voltOffset, ampDivider, rpmDivider, wsDivider;
};

Scale scaleFrom(const Calibration& calibration);

}  // namespace tamsel
