#pragma once
// The alarms there are, and how each is named: in alarm.cfg, to a dashboard,
// to the owner.
#include <array>
#include <cstddef>
#include <string_view>

namespace tamsel {

enum class AlarmKind { LowVolts, HighVolts, HighAmps, HighRPM, HighWind, NoData };
inline constexpr size_t kAlarmKindCount = 6;
inline constexpr std::array<AlarmKind, kAlarmKindCount> kAlarmKinds = {
    AlarmKind::LowVolts, AlarmKind::HighVolts, AlarmKind::HighAmps,
    AlarmKind::HighRPM,  AlarmKind::HighWind,  AlarmKind::NoData};

// The readings the level alarms watch, in the order the monitor sums them.
enum class WatchedReading { Volts, Amps, Rpm, WindSpeed };
inline constexpr size_t kWatchedReadingCount = 4;

struct AlarmKindInfo {
  std::string_view key;       // its key in alarm.cfg
  std::string_view id;        // in published JSON and a dashboard's ids
  std::string_view name;      // what a person reads: "Battery volts low"
  std::string_view quantity;  // "battery", "current": what the level is of
  std::string_view unit;      // "V"; empty for the wind, whose unit is the user's
  WatchedReading watches = WatchedReading::Volts;
  bool below = false;  // raised below the limit (else above it)
};

const AlarmKindInfo& alarmKindInfo(AlarmKind kind);
inline size_t indexOf(AlarmKind kind) {
  return static_cast<size_t>(kind);
}

}  // namespace tamsel
