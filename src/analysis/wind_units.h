#pragma once
// The records' wind speed unit (prog.cfg's WSUnits) turned into m/s.
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// A unit as metres per so many seconds: the speed is multiplied before it is
// divided, so 2.7 km/h gives exactly 0.75 m/s and a bin's edge stays its edge.
struct WindScale {
  double metres = 1;
  double seconds = 1;
  double metresPerSecond(double speed) const { return speed * metres / seconds; }
  bool operator==(const WindScale&) const = default;
};

// "mph", "km/h" ("kph", "kmh"), "m/s" ("mps"), "knots" ("kn", "kt") and
// "ft/s", case and surrounding blanks ignored; nullopt for any other text.
std::optional<WindScale> windScale(std::string_view unit);

// Whether the unit is m/s itself: its records hold whole m/s, so the bins
// are 1 m/s wide instead of 0.5.
bool isMetresPerSecond(std::string_view unit);

// Cannot convert "furlongs" to m/s; known units: mph, km/h (kph, kmh), ...
std::string cannotConvertMessage(std::string_view unit);

}  // namespace tamsel
