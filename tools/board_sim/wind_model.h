#pragma once
// A small wind generator charging a 12 V battery, good enough to make
// telemetry that looks like a real day: wind wandering slowly with gusts,
// the rotor following the wind with some inertia, power rising with RPM
// above cut-in, and battery volts rising with the charge current.
#include <cstdint>
#include <random>

#include "calibration.h"

namespace sim {

struct WindState {
  double wind = 0;   // wind-speed units
  double rpm = 0;    // rotor revolutions per minute
  double watts = 0;  // generator output
  double amps = 0;   // charge current
  double volts = 0;  // battery volts, 12 to 14.5
};

class WindModel {
 public:
  static constexpr double kCutInRpm = 120;
  static constexpr double kMaxRpm = 600;
  static constexpr double kMaxWatts = 900;
  static constexpr double kMinVolts = 12.0;
  static constexpr double kMaxVolts = 14.5;

  explicit WindModel(std::uint64_t seed);

  // Moves the model on by dt seconds and returns the new state.
  const WindState& step(double dtSeconds);
  const WindState& state() const { return state_; }

  // The counts a board with this calibration would send for the state.
  static Counts countsFor(const WindState& state, const Calibration& cal);

 private:
  std::mt19937_64 rng_;
  WindState state_;
  double baseWind_ = 7;
  double gust_ = 0;
  double charge_ = 0.5;  // battery state of charge, 0 to 1
};

}  // namespace sim
