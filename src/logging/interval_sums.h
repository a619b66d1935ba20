#pragma once
// The sums of one logging interval: every decoded frame adds its reading, the
// logging tick averages them into one record and then clears them.

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
  void add(double v, double a, double w, double r, double ws) {
    volts += v;
    amps += a;
    watts += w;
    rpm += r;
    windSpeed += ws;
    ++frameCount;
  }

  void clear() { *this = IntervalSums{}; }
};

}  // namespace tamsel
