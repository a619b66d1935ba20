#pragma once
// turbine.cfg: the turbine's and the battery's facts the performance
// analysis measures against. Same tag format as prog.cfg; a missing file, or
// an empty value, means that key's default (or none where it has none).
#include <string>
#include <string_view>

#include "config/config_file.h"

namespace tamsel {

struct TurbineConfig {
  std::string RotorDiameter;  // metres
  std::string RatedPower;     // watts
  std::string CutOut;         // m/s, where the extrapolated curve ends
  std::string GearRatio;      // generator RPM per rotor RPM
  std::string Curve;          // the maker's curve: "3:20 4:60 5:120", m/s:watts
  std::string Altitude;       // metres above sea level
  std::string Temperature;    // mean °C at the site
  std::string FullVolts;      // battery volts counted as full
  std::string MinBinMinutes;  // data a bin needs to count as complete

  bool operator==(const TurbineConfig&) const = default;
};

const KeyTable<TurbineConfig>& turbineConfigKeys();
std::string turbineConfigPath(const std::string& programFolder);
// Every key that can be read; the others stay empty.
TurbineConfig readTurbineConfig(std::string_view text);
// "Turbine Config File", an empty line, one line per key, an empty line.
std::string turbineConfigText(const TurbineConfig& config);

}  // namespace tamsel
