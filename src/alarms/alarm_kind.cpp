#include "alarms/alarm_kind.h"

namespace tamsel {

const AlarmKindInfo& alarmKindInfo(AlarmKind kind) {
  static const AlarmKindInfo kInfo[kAlarmKindCount] = {
      {"LowVolts", "low_volts", "Battery volts low", "battery", "V", WatchedReading::Volts, true},
      {"HighVolts", "high_volts", "Battery volts high", "battery", "V", WatchedReading::Volts,
       false},
      {"HighAmps", "high_amps", "Current high", "current", "A", WatchedReading::Amps, false},
      {"HighRPM", "high_rpm", "Over speed", "rotor", "RPM", WatchedReading::Rpm, false},
      {"HighWind", "high_wind", "Wind high", "wind", "", WatchedReading::WindSpeed, false},
      {"NoDataMinutes", "no_data", "No data", "silence", "min", WatchedReading::Volts, false},
  };
  return kInfo[indexOf(kind)];
}

}  // namespace tamsel
