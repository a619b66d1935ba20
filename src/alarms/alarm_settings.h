#pragma once
// alarm.cfg's texts made into limits, each checked: a value that cannot be
// used is named once, and that alarm stays off (or the default is used for
// the hold time and hysteresis).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "alarms/alarm_kind.h"
#include "config/alarm_config.h"

namespace tamsel {

struct AlarmSettings {
  // Each alarm's limit; none when it is off. The silent board's is minutes.
  std::array<std::optional<double>, kAlarmKindCount> limits;
  int holdSeconds = 30;
  double hysteresisPercent = 2;  // of each limit
  std::string command;           // the program run on every change; none when empty

  bool operator==(const AlarmSettings&) const = default;
  bool configured(AlarmKind kind) const { return limits[indexOf(kind)].has_value(); }
  bool anyConfigured() const;
  // Where an active level alarm clears: past its limit by the hysteresis,
  // away from the alarm (11.5 V low clears above 11.73 V).
  double clearLevel(AlarmKind kind) const;
};

inline constexpr int kLongestHoldSeconds = 3600;
inline constexpr int kLongestNoDataMinutes = 7 * 24 * 60;
inline constexpr double kLargestHysteresisPercent = 50;

// One value that cannot be used: the key's place in alarm.cfg's key table
// and what it must be ("must be a number (empty for no alarm)").
struct AlarmProblem {
  std::string_view key;
  std::string rule;
  std::string consequence;  // what loading does instead: "that alarm is off"
};

struct AlarmSettingsRead {
  AlarmSettings settings;
  std::vector<AlarmProblem> problems;  // in key order
};

AlarmSettingsRead alarmSettings(const AlarmConfig& config);

// "alarm.cfg: LowVolts must be a number (empty for no alarm); that alarm is off".
std::string loadProblemText(const AlarmProblem& problem);

}  // namespace tamsel
