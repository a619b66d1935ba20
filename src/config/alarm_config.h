#pragma once
// alarm.cfg: the limits the owner wants to hear about. Same tag format as
// prog.cfg; a missing file, or an empty value, means no such alarm.
#include <string>
#include <string_view>

#include "config/config_file.h"

namespace tamsel {

struct AlarmConfig {
  std::string LowVolts;
  std::string HighVolts;
  std::string HighAmps;
  std::string HighRPM;
  std::string HighWind;
  std::string NoDataMinutes;
  std::string HoldSeconds;
  std::string Hysteresis;
  std::string Command;

  bool operator==(const AlarmConfig&) const = default;
};

const KeyTable<AlarmConfig>& alarmConfigKeys();
std::string alarmConfigPath(const std::string& programFolder);
// Every key that can be read; the others stay empty.
AlarmConfig readAlarmConfig(std::string_view text);
// Whether the text holds any key of alarm.cfg at all.
bool holdsAlarmKey(std::string_view text);
// "Alarm Config File", an empty line, one line per key, an empty line.
std::string alarmConfigText(const AlarmConfig& config);

}  // namespace tamsel
