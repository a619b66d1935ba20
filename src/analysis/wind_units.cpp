#include "analysis/wind_units.h"

#include <cctype>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

struct WindUnit {
  std::string_view name;
  std::string_view aliases[2];
  WindScale scale;
};

// Exact by definition: 1 mile = 1609.344 m, 1 nautical mile = 1852 m, 1 ft = 0.3048 m.
constexpr WindUnit kUnits[] = {
    {"mph", {}, {1609.344, 3600}}, {"km/h", {"kph", "kmh"}, {1000, 3600}},
    {"m/s", {"mps"}, {1, 1}},      {"knots", {"kn", "kt"}, {1852, 3600}},
    {"ft/s", {}, {0.3048, 1}},
};

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

const WindUnit* unitNamed(std::string_view text) {
  text = trimmedText(text);
  for (const WindUnit& unit : kUnits) {
    if (sameLetters(text, unit.name)) return &unit;
    for (std::string_view alias : unit.aliases) {
      if (!alias.empty() && sameLetters(text, alias)) return &unit;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<WindScale> windScale(std::string_view unit) {
  const WindUnit* found = unitNamed(unit);
  if (!found) return std::nullopt;
  return found->scale;
}

bool isMetresPerSecond(std::string_view unit) {
  const WindUnit* found = unitNamed(unit);
  return found && found->scale == WindScale{};
}

std::string cannotConvertMessage(std::string_view unit) {
  std::string known;
  for (const WindUnit& each : kUnits) {
    if (!known.empty()) known += ", ";
    known += each.name;
    std::string aliases;
    for (std::string_view alias : each.aliases) {
      if (alias.empty()) continue;
      aliases += (aliases.empty() ? "" : ", ") + std::string(alias);
    }
    if (!aliases.empty()) known += " (" + aliases + ")";
  }
  return "cannot convert \"" + std::string(unit) + "\" to m/s; known units: " + known;
}

}  // namespace tamsel
