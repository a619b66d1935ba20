#include "alarms/alarm_kind.h"

namespace tamsel {

const AlarmKindInfo& alarmKindInfo(AlarmKind kind) {
  static const AlarmKindInfo kInfo[kAlarmKindCount] = {
      {"LowVolts", "low_volts", "Battery volts low", "battery", "V", Quantity::Volts, true},
      {"HighVolts", "high_volts", "Battery volts high", "battery", "V", Quantity::Volts, false},
      {"HighAmps", "high_amps", "Current high", "current", "A", Quantity::Amps, false},
      {"HighRPM", "high_rpm", "Over speed", "rotor", "RPM", Quantity::Rpm, false},
      {"HighWind", "high_wind", "Wind high", "wind", "", Quantity::WindSpeed, false},
      {"NoDataMinutes", "no_data", "No data", "silence", "min", Quantity::Volts, false},
  };
  return kInfo[indexOf(kind)];
}

}  // namespace tamsel
