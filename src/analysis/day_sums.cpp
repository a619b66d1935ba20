#include "analysis/day_sums.h"

#include <cmath>

#include "analysis/turbine_formulas.h"

namespace tamsel {

void BinSums::add(double wind, double power, double rpm) {
  ++count;
  windSum += wind;
  rpmSum += rpm;
  const double before = power - powerMean;
  powerMean += before / static_cast<double>(count);
  powerSquares += before * (power - powerMean);
}

void BinSums::merge(const BinSums& other) {
  if (other.count == 0) return;
  const double total = static_cast<double>(count + other.count);
  const double apart = other.powerMean - powerMean;
  powerSquares += other.powerSquares + apart * apart * static_cast<double>(count) *
                                           static_cast<double>(other.count) / total;
  powerMean += apart * static_cast<double>(other.count) / total;
  count += other.count;
  windSum += other.windSum;
  rpmSum += other.rpmSum;
}

long binNumber(double wind, double binWidth) {
  return static_cast<long>(std::floor(wind / binWidth + 0.5));
}

void DaySumsBuilder::add(const HistoryRecord& record) {
  const double volts = record.values[kVolts];
  const double watts = record.values[kWatts];
  BatterySums& battery = day.battery;
  if (day.records == 0 || volts < battery.minVolts) {
    battery.minVolts = volts;
    battery.minAt = record.time;
  }
  if (day.records == 0 || volts > battery.maxVolts) {
    battery.maxVolts = volts;
    battery.maxAt = record.time;
  }
  if (day.records == 0 || watts > battery.peakWatts) {
    battery.peakWatts = watts;
    battery.peakAt = record.time;
  }
  if (day.records == 0 || record.values[kWind] > battery.maxWind)
    battery.maxWind = record.values[kWind];
  if (day.records == 0 || record.values[kRpm] > battery.maxRpm)
    battery.maxRpm = record.values[kRpm];
  battery.ampsSum += record.values[kAmps];
  battery.wattsSum += watts;
  if (rules.fullVolts && volts >= *rules.fullVolts) ++battery.fullRecords;
  ++day.records;
  if (!rules.windScale) return;
  const double wind = rules.windScale->metresPerSecond(record.values[kWind]);
  if (rules.curve && rules.cutOut)
    day.promisedWattsSum += curvePower(*rules.curve, *rules.cutOut, wind);
  // A calm record says nothing about the curve: the turbine stands still.
  if (wind <= 0) return;
  day.bins[binNumber(wind, rules.binWidth)].add(wind, watts, record.values[kRpm]);
}

}  // namespace tamsel
