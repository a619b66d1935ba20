#pragma once
// What one day's records add to the performance analysis, kept as sums: days
// combine in any number, and a day file that has not changed need not be
// read again.
#include <map>
#include <optional>
#include <vector>

#include "analysis/turbine_settings.h"
#include "analysis/wind_units.h"
#include "history/history_store.h"

namespace tamsel {

// One bin's records: count, sums and the spread of power (mean and sum of
// squared deviations, merged the numerically stable way).
struct BinSums {
  long count = 0;
  double windSum = 0;  // m/s
  double rpmSum = 0;
  double powerMean = 0;
  double powerSquares = 0;  // Σ (power − mean)²

  void add(double wind, double power, double rpm);
  void merge(const BinSums& other);
};

// The day's battery: lowest and highest volts with the time of the first
// record that had each (seconds since midnight), and its sums; with them the
// day's peaks an owner reads beside the battery.
struct BatterySums {
  double minVolts = 0;
  int minAt = 0;
  double maxVolts = 0;
  int maxAt = 0;
  double ampsSum = 0;
  double wattsSum = 0;
  long fullRecords = 0;  // records at or above the full voltage
  double peakWatts = 0;  // the highest watts, and the first record's time with them
  int peakAt = 0;
  double maxWind = 0;  // in the records' own unit
  double maxRpm = 0;
};

// Everything besides the records that the sums depend on; a day's sums are
// worked out again when any of it changes.
struct SumRules {
  std::optional<WindScale> windScale;  // the records' unit; no bins without it
  double binWidth = 0.5;               // m/s
  std::optional<double> fullVolts;
  std::optional<std::vector<CurvePoint>> curve;  // promised only with it and cutOut
  std::optional<double> cutOut;
  bool operator==(const SumRules&) const = default;
};

struct DaySums {
  long records = 0;
  std::map<long, BinSums> bins;  // by bin number: the bin's centre is number × binWidth
  double promisedWattsSum = 0;
  BatterySums battery;  // meaningful when records > 0
};

// The bin a wind speed (m/s) falls in: its centre − width/2 included, its
// centre + width/2 the next bin's.
long binNumber(double wind, double binWidth);

class DaySumsBuilder {
 public:
  explicit DaySumsBuilder(const SumRules& rules) : rules(rules) {}
  void add(const HistoryRecord& record);
  const DaySums& sums() const { return day; }

 private:
  const SumRules& rules;
  DaySums day;
};

}  // namespace tamsel
