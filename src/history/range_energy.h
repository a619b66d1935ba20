#pragma once
// The watt-hours of a run of records, one rule for the chart, the export and
// the dashboard.

namespace tamsel {

// Takes the records' watts in order: every record but the first stands for
// one logging interval. The watts are summed first, so a run of equal
// records gives a round figure, and every reader of the same records gets
// the same figure to the last bit.
class RangeEnergy {
 public:
  explicit RangeEnergy(double logDelaySeconds) : logDelay(logDelaySeconds) {}
  void add(double watts) {
    if (started) wattsSum += watts;
    started = true;
  }
  // 0 when fewer than two records were added.
  double wattHours() const { return logDelay * wattsSum / 3600; }

 private:
  double logDelay;
  double wattsSum = 0;
  bool started = false;
};

}  // namespace tamsel
