#pragma once
// turbine.cfg's texts made into numbers, each checked. A value that cannot be
// used is absent and its problem names the key, so every figure that needs it
// is left out with that reason instead of being worked out from a wrong number.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/turbine_config.h"

namespace tamsel {

struct CurvePoint {
  double wind = 0;   // m/s
  double watts = 0;  // W
  bool operator==(const CurvePoint&) const = default;
};

struct TurbineSettings {
  std::optional<double> rotorDiameter;           // none by default
  std::optional<double> ratedPower;              // none by default
  std::optional<double> cutOut = 25;             // m/s
  std::optional<double> gearRatio = 1;           // generator RPM per rotor RPM
  std::optional<std::vector<CurvePoint>> curve;  // none by default; rising in wind
  std::optional<double> altitude = 0;            // metres
  std::optional<double> temperature = 15;        // °C
  std::optional<double> fullVolts;               // 1.2 × SV by default
  std::optional<double> minBinMinutes = 30;
};

// One value that cannot be used: its key and the whole message,
// "turbine.cfg: CutOut is no number".
struct TurbineProblem {
  std::string_view key;
  std::string text;
};

struct TurbineSettingsRead {
  TurbineSettings settings;
  std::vector<TurbineProblem> problems;

  // Why the key's value is absent: its problem, or that the file has none.
  std::string whyAbsent(std::string_view key) const;
};

// `systemVolts` is prog.cfg's SV as stored: FullVolts defaults to 1.2 × SV.
TurbineSettingsRead turbineSettings(const TurbineConfig& config, std::string_view systemVolts);

// The maker's curve from "3:20 4:60 5:120" (blanks, tabs or line ends between
// pairs): the points, or the problem naming Curve. Points lie from 0 to
// `highestWind` m/s, rising in wind, with watts from 0.
std::optional<std::vector<CurvePoint>> parseCurve(std::string_view text, double highestWind,
                                                  std::string& problem);

}  // namespace tamsel
