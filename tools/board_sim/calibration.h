#pragma once
// The board's scale factors, the raw counts of one frame and what a logger
// makes of them with those factors.
#include <string>

namespace sim {

struct Calibration {
  double voltDivider = 40;  // counts per volt
  double voltOffset = 100;  // current count at zero current
  double ampDivider = 20;   // counts per amp
  double rpmDivider = 1;    // rotor pulses per revolution
  double wsDivider = 1;     // anemometer pulses per unit of wind speed
};

// Raw counts as the board sends them.
struct Counts {
  int v = 0;
  int i = 0;
  int r = 0;
  int s = 0;
};

// What a frame of these counts stands for under the calibration.
struct Decoded {
  double volts = 0;
  double amps = 0;  // never below zero: a current under the offset reads as none
  double watts = 0;
  double rpm = 0;
  double windSpeed = 0;
};

Decoded decode(const Counts& counts, const Calibration& cal);

// settings.cfg for these factors, as the calibration window writes it.
std::string settingsFileText(const Calibration& cal);

}  // namespace sim
