#pragma once
// What the performance analysis gives over a range of days: plain figures
// for the window, the dashboard and the tests. A figure that cannot be given
// is absent, and `missing` says why under the figure's name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar.h"

namespace tamsel {

// One bin of the measured power curve.
struct PowerBin {
  double centre = 0;  // m/s
  long count = 0;     // records
  double minutes = 0;
  double wind = 0;      // mean m/s
  double power = 0;     // mean W
  double powerStd = 0;  // population standard deviation, W
  double rpm = 0;       // mean
  std::optional<double> cp;
  std::optional<double> tsr;
  std::optional<bool> complete;  // at least MinBinMinutes of data
};

// A year's energy at a Rayleigh wind averaging `meanWind` m/s.
struct AepRow {
  int meanWind = 0;
  std::optional<double> measuredKWh;      // over the complete bins
  std::optional<double> extrapolatedKWh;  // the last complete bin held to CutOut
  std::optional<double> curveKWh;         // the maker's curve
  std::optional<double> capacityFactor;   // extrapolated over RatedPower all year
};

struct BatteryDay {
  CalendarDate date;
  double minVolts = 0;
  std::string minAt;  // "HH:MM" of the first record with the lowest volts
  double maxVolts = 0;
  std::string maxAt;  // "HH:MM" of the first record with the highest volts
  double ampHours = 0;
  double wattHours = 0;
  std::optional<double> hoursFull;  // at or above FullVolts
  double peakWatts = 0;
  std::string peakAt;  // "HH:MM" of the first record with the peak watts
  double maxWind = 0;  // in the records' own unit, not m/s
  double maxRpm = 0;
};

// A figure left out ("cp", "curveKWh", "daysSinceFull", ...) and the reason.
struct MissingFigure {
  std::string figure;
  std::string reason;
  bool operator==(const MissingFigure&) const = default;
};

struct PerformanceReport {
  std::string windUnit = "m/s";  // every wind figure is in m/s
  long records = 0;
  std::optional<double> airDensity;  // kg/m³
  std::optional<double> binWidth;    // m/s
  std::vector<PowerBin> bins;        // in order of wind, wind 0 left out
  std::vector<AepRow> aep;           // mean winds 4 to 11 m/s
  double deliveredWh = 0;
  std::optional<double> promisedWh;
  std::optional<double> ratio;          // delivered over promised
  std::vector<BatteryDay> battery;      // each day that has records, in date order
  std::optional<int> daysSinceFull;     // from the last day that reached FullVolts to the last day
  std::vector<MissingFigure> missing;   // one per figure, in the order found
  std::vector<std::string> unreadDays;  // "P_2010_05_23.txt cannot be read: Permission denied"

  // The reason a figure was left out; empty when it was not.
  std::string whyMissing(std::string_view figure) const;
};

}  // namespace tamsel
