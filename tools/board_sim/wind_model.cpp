#include "wind_model.h"

#include <algorithm>
#include <cmath>

namespace sim {

WindModel::WindModel(std::uint64_t seed) : rng_(seed) {
  state_.volts = kMinVolts + 1.2 * charge_;
  // Start turning, as if the board had been running a while.
  state_.wind = baseWind_;
  state_.rpm = std::min(kMaxRpm, baseWind_ * 35.0);
}

const WindState& WindModel::step(double dt) {
  dt = std::clamp(dt, 0.0, 60.0);
  std::normal_distribution<double> normal(0.0, 1.0);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);

  // The prevailing wind wanders and drifts back towards a moderate breeze.
  baseWind_ += 0.3 * std::sqrt(dt) * normal(rng_) + (7.0 - baseWind_) * 0.01 * dt;
  baseWind_ = std::clamp(baseWind_, 1.0, 16.0);
  // Gusts come now and then (about every 20 s) and die away over a few seconds.
  gust_ *= std::exp(-dt / 4.0);
  if (uniform(rng_) < dt / 20.0) gust_ += 3.0 + 5.0 * uniform(rng_);
  state_.wind = std::max(0.0, baseWind_ + gust_ + 0.2 * normal(rng_));

  // The rotor has inertia: it approaches the speed the wind would give it.
  const double target = std::min(kMaxRpm, state_.wind * 35.0);
  state_.rpm += (target - state_.rpm) * (1.0 - std::exp(-dt / 3.0));

  const double above = std::max(0.0, state_.rpm - kCutInRpm) / (kMaxRpm - kCutInRpm);
  state_.watts = std::min(kMaxWatts, kMaxWatts * above * above);
  state_.amps = state_.watts / state_.volts;

  // A 100 Ah battery under a 4 A load: charge moves slowly, volts follow the
  // charge and rise with the charge current.
  charge_ = std::clamp(charge_ + (state_.amps - 4.0) * dt / 360000.0, 0.0, 1.0);
  state_.volts = std::clamp(kMinVolts + 1.2 * charge_ + 0.025 * state_.amps, kMinVolts, kMaxVolts);
  return state_;
}

Counts WindModel::countsFor(const WindState& s, const Calibration& cal) {
  Counts c;
  c.v = static_cast<int>(std::lround(s.volts * cal.voltDivider));
  c.i = static_cast<int>(std::lround(s.amps * cal.ampDivider + cal.voltOffset));
  c.r = static_cast<int>(std::lround(s.rpm / 60.0 * cal.rpmDivider));
  c.s = static_cast<int>(std::lround(s.wind * cal.wsDivider));
  return c;
}

}  // namespace sim
