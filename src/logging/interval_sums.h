#pragma once
// The sums of one logging interval: every decoded frame adds its reading, the
// logging tick averages them into one record and then clears them.
#include <cmath>

namespace tamsel {

struct IntervalSums {
  double volts = 0;
  double amps = 0;
  double watts = 0;
  double rpm = 0;
  double windSpeed = 0;
  int frameCount = 0;

  // One decoded frame's values, as the live display shows them (already
  // rounded by the decoder), so the record averages what the user saw.
  // False, and nothing added, when a sum would no longer be a finite number:
  // a record must be the average of what was received, never an overflow
  // that a mask would print as 0. A finite sum over a positive count has a
  // finite average, so the sums are all there is to check.
  [[nodiscard]] bool add(double v, double a, double w, double r, double ws) {
    const IntervalSums next{volts + v, amps + a,       watts + w,
                            rpm + r,   windSpeed + ws, frameCount + 1};
    for (double sum : {next.volts, next.amps, next.watts, next.rpm, next.windSpeed}) {
      if (!std::isfinite(sum)) return false;
    }
    *this = next;
    return true;
  }

  void clear() { *this = IntervalSums{}; }
  bool operator==(const IntervalSums&) const = default;
};

}  // namespace tamsel
