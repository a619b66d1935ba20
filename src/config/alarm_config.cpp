#include "config/alarm_config.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"Alarm Config File", 1, 1};

}  // namespace

const KeyTable<AlarmConfig>& alarmConfigKeys() {
  using A = AlarmConfig;
  static const KeyTable<A> keys = {
      {"LowVolts", &A::LowVolts},       {"HighVolts", &A::HighVolts},
      {"HighAmps", &A::HighAmps},       {"HighRPM", &A::HighRPM},
      {"HighWind", &A::HighWind},       {"NoDataMinutes", &A::NoDataMinutes},
      {"HoldSeconds", &A::HoldSeconds}, {"Hysteresis", &A::Hysteresis},
      {"Command", &A::Command},
  };
  return keys;
}

std::string alarmConfigPath(const std::string& programFolder) {
  return programFolder + "/alarm.cfg";
}

AlarmConfig readAlarmConfig(std::string_view text) {
  return readKeysLenient(text, alarmConfigKeys(), AlarmConfig{});
}

bool holdsAlarmKey(std::string_view text) {
  for (const ConfigKey<AlarmConfig>& key : alarmConfigKeys()) {
    if (readTag(text, key.name)) return true;
  }
  return false;
}

std::string alarmConfigText(const AlarmConfig& config) {
  return configText(kLayout, alarmConfigKeys(), config);
}

}  // namespace tamsel
