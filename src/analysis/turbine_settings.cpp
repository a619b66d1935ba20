#include "analysis/turbine_settings.h"

#include <cmath>

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

constexpr std::string_view kFile = "turbine.cfg: ";
constexpr double kFastestWind = 100;  // m/s: no anemometer or turbine goes past it

std::string problemText(std::string_view key, std::string_view what) {
  return std::string(kFile) + std::string(key) + " " + std::string(what);
}

// The accepted range of one number; `above` excludes the lowest value itself.
struct Rule {
  std::string_view key;
  std::optional<double> TurbineSettings::*value;
  double lowest;
  double highest;
  bool above;
};

std::string rangeText(const Rule& rule) {
  return rule.above ? "must be above " + plainNumberText(rule.lowest) + " and at most " +
                          plainNumberText(rule.highest)
                    : "must be from " + plainNumberText(rule.lowest) + " to " +
                          plainNumberText(rule.highest);
}

// An empty text keeps the default; anything else replaces it or, when it
// cannot be used, takes it away with the problem.
void readNumber(const Rule& rule, std::string_view stored, TurbineSettingsRead& read) {
  const std::string_view text = trimmedText(stored);
  if (text.empty()) return;
  std::optional<double>& target = read.settings.*rule.value;
  target.reset();
  const std::optional<double> value = numericValue(text);
  if (!value || !std::isfinite(*value)) {
    read.problems.push_back({rule.key, problemText(rule.key, "is no number")});
  } else if (*value < rule.lowest || (rule.above && *value == rule.lowest) ||
             *value > rule.highest) {
    read.problems.push_back({rule.key, problemText(rule.key, rangeText(rule))});
  } else {
    target = value;
  }
}

std::optional<CurvePoint> curvePoint(std::string_view pair, double highestWind,
                                     std::string& problem) {
  const std::string quoted = "\"" + std::string(pair) + "\"";
  const size_t colon = pair.find(':');
  if (colon == std::string_view::npos) {
    problem = problemText("Curve", "point " + quoted + " is no pair m/s:watts");
    return std::nullopt;
  }
  const std::optional<double> wind = numericValue(pair.substr(0, colon));
  const std::optional<double> watts = numericValue(pair.substr(colon + 1));
  if (!wind || !watts || !std::isfinite(*wind) || !std::isfinite(*watts)) {
    problem = problemText("Curve", "point " + quoted + " is no pair of numbers m/s:watts");
    return std::nullopt;
  }
  if (*wind < 0 || *wind > highestWind || *watts < 0) {
    problem = problemText("Curve", "point " + quoted + " must lie from 0 to " +
                                       plainNumberText(highestWind) + " m/s, watts from 0");
    return std::nullopt;
  }
  return CurvePoint{*wind, *watts};
}

}  // namespace

std::optional<std::vector<CurvePoint>> parseCurve(std::string_view text, double highestWind,
                                                  std::string& problem) {
  std::vector<CurvePoint> points;
  constexpr std::string_view kBlanks = " \t\r\n";
  for (size_t at = text.find_first_not_of(kBlanks); at != std::string_view::npos;
       at = text.find_first_not_of(kBlanks, at)) {
    const size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
    const std::string_view pair = text.substr(at, end - at);
    at = end;
    const std::optional<CurvePoint> point = curvePoint(pair, highestWind, problem);
    if (!point) return std::nullopt;
    if (!points.empty() && point->wind <= points.back().wind) {
      problem =
          problemText("Curve", "does not rise in wind speed at \"" + std::string(pair) + "\"");
      return std::nullopt;
    }
    points.push_back(*point);
  }
  if (points.empty()) {
    problem = problemText("Curve", "holds no point m/s:watts");
    return std::nullopt;
  }
  return points;
}

std::string TurbineSettingsRead::whyAbsent(std::string_view key) const {
  for (const TurbineProblem& problem : problems) {
    if (problem.key == key) return problem.text;
  }
  return std::string(kFile) + "no " + std::string(key) + " given";
}

TurbineSettingsRead turbineSettings(const TurbineConfig& config, std::string_view systemVolts) {
  using S = TurbineSettings;
  using C = TurbineConfig;
  static const struct {
    Rule rule;
    std::string C::*text;
  } kNumbers[] = {
      {{"RotorDiameter", &S::rotorDiameter, 0, 200, true}, &C::RotorDiameter},
      {{"RatedPower", &S::ratedPower, 0, 1e7, true}, &C::RatedPower},
      {{"CutOut", &S::cutOut, 0, kFastestWind, true}, &C::CutOut},
      {{"GearRatio", &S::gearRatio, 0, 1000, true}, &C::GearRatio},
      {{"Altitude", &S::altitude, -500, 9000, false}, &C::Altitude},
      {{"Temperature", &S::temperature, -60, 60, false}, &C::Temperature},
      {{"FullVolts", &S::fullVolts, 0, 1000, true}, &C::FullVolts},
      {{"MinBinMinutes", &S::minBinMinutes, 0, 525600, false}, &C::MinBinMinutes},
  };
  TurbineSettingsRead read;
  if (const std::optional<double> sv = numericValue(systemVolts); sv && *sv > 0 && *sv <= 1000) {
    read.settings.fullVolts = 1.2 * *sv;
  }
  for (const auto& number : kNumbers) readNumber(number.rule, config.*number.text, read);
  if (!read.settings.fullVolts && trimmedText(config.FullVolts).empty()) {
    read.problems.push_back(
        {"FullVolts", problemText("FullVolts",
                                  "is not given and prog.cfg's SV is no voltage to "
                                  "take 1.2 times")});
  }
  if (!trimmedText(config.Curve).empty()) {
    std::string problem;
    read.settings.curve =
        parseCurve(config.Curve, read.settings.cutOut.value_or(kFastestWind), problem);
    if (!read.settings.curve) read.problems.push_back({"Curve", problem});
  }
  return read;
}

}  // namespace tamsel
