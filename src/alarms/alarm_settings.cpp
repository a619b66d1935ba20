#include "alarms/alarm_settings.h"

#include <cmath>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// The value when the text is a finite number from `lowest` to `highest`;
// nullopt otherwise (the caller has ruled out empty text).
std::optional<double> numberIn(std::string_view text, double lowest, double highest) {
  const std::optional<double> value = numericValue(text);
  if (!value || !std::isfinite(*value) || *value < lowest || *value > highest) return std::nullopt;
  return value;
}

std::string_view keyOf(AlarmKind kind) {
  return alarmKindInfo(kind).key;
}

// The level alarms: any finite number.
void readLimits(const AlarmConfig& config, AlarmSettingsRead& read) {
  const std::string AlarmConfig::*texts[] = {&AlarmConfig::LowVolts, &AlarmConfig::HighVolts,
                                             &AlarmConfig::HighAmps, &AlarmConfig::HighRPM,
                                             &AlarmConfig::HighWind};
  for (size_t k = 0; k < std::size(texts); ++k) {
    const std::string_view text = trimmedText(config.*texts[k]);
    if (text.empty()) continue;
    const std::optional<double> limit = numberIn(text, -HUGE_VAL, HUGE_VAL);
    if (limit) {
      read.settings.limits[k] = limit;
    } else {
      read.problems.push_back(
          {keyOf(kAlarmKinds[k]), "must be a number (empty for no alarm)", "that alarm is off"});
    }
  }
}

void readSilence(const AlarmConfig& config, AlarmSettingsRead& read) {
  const std::string_view text = trimmedText(config.NoDataMinutes);
  if (text.empty()) return;
  const std::optional<double> minutes = numberIn(text, 0, kLongestNoDataMinutes);
  if (minutes && *minutes > 0) {
    read.settings.limits[indexOf(AlarmKind::NoData)] = minutes;
  } else {
    read.problems.push_back({keyOf(AlarmKind::NoData),
                             "must be a number of minutes above 0, up to " +
                                 std::to_string(kLongestNoDataMinutes) + " (empty for no alarm)",
                             "that alarm is off"});
  }
}

void readHold(const AlarmConfig& config, AlarmSettingsRead& read) {
  const std::string_view text = trimmedText(config.HoldSeconds);
  if (text.empty()) return;
  if (const std::optional<int> seconds = wholeNumberIn(text, 0, kLongestHoldSeconds)) {
    read.settings.holdSeconds = *seconds;
  } else {
    read.problems.push_back({"HoldSeconds",
                             "must be a whole number of seconds from 0 to " +
                                 std::to_string(kLongestHoldSeconds) + " (empty for 30)",
                             "30 is used"});
  }
}

// A percentage; a "%" after the number is taken as meant.
void readHysteresis(const AlarmConfig& config, AlarmSettingsRead& read) {
  std::string_view text = trimmedText(config.Hysteresis);
  if (text.ends_with('%')) text = trimmedText(text.substr(0, text.size() - 1));
  if (text.empty() && trimmedText(config.Hysteresis).empty()) return;
  if (const std::optional<double> percent = numberIn(text, 0, kLargestHysteresisPercent)) {
    read.settings.hysteresisPercent = *percent;
  } else {
    read.problems.push_back(
        {"Hysteresis", "must be a percentage from 0 to 50 (empty for 2)", "2 is used"});
  }
}

// Both set the wrong way round, one of the two would always be raised.
void checkVoltsOrder(AlarmSettingsRead& read) {
  auto& low = read.settings.limits[indexOf(AlarmKind::LowVolts)];
  auto& high = read.settings.limits[indexOf(AlarmKind::HighVolts)];
  if (!low || !high || *low < *high) return;
  read.problems.push_back(
      {"LowVolts", "must be below the battery high limit (HighVolts)", "both alarms are off"});
  low.reset();
  high.reset();
}

}  // namespace

bool AlarmSettings::anyConfigured() const {
  for (const auto& limit : limits) {
    if (limit) return true;
  }
  return false;
}

double AlarmSettings::clearLevel(AlarmKind kind) const {
  const double limit = limits[indexOf(kind)].value_or(0);
  const double band = std::fabs(limit) * hysteresisPercent / 100;
  return alarmKindInfo(kind).below ? limit + band : limit - band;
}

AlarmSettingsRead alarmSettings(const AlarmConfig& config) {
  AlarmSettingsRead read;
  readLimits(config, read);
  readSilence(config, read);
  readHold(config, read);
  readHysteresis(config, read);
  checkVoltsOrder(read);
  read.settings.command = std::string(trimmedText(config.Command));
  return read;
}

std::string loadProblemText(const AlarmProblem& problem) {
  return "alarm.cfg: " + std::string(problem.key) + " " + problem.rule + "; " + problem.consequence;
}

}  // namespace tamsel
