// Configuration text through the readers of every configuration file. What the lenient
// reader gives, written out and read back, is read the same.
#include <cmath>

#include "alarms/alarm_settings.h"
#include "config/calibration.h"
#include "config/mqtt_config.h"
#include "config/program_config.h"
#include "fuzz_check.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::bytes(data, size);
  ProgramConfig strict;
  const KeysRead read = readProgramConfigStrict(text, strict);
  fuzz::check(read.status.ok == (read.keys.size() == 12), "a strict read stops only at a failure");
  const ProgramConfig lenient = readProgramConfig(text, setupDefaults());
  for (std::string_view key : read.keys) {
    for (const auto& entry : programConfigKeys())
      if (entry.name == key)
        fuzz::check(strict.*entry.value == lenient.*entry.value, "modes agree");
  }
  bool tagFree = true;  // a value holding a tag may read back differently
  for (const auto& entry : programConfigKeys())
    tagFree = tagFree && (lenient.*entry.value).find('<') == std::string::npos;
  if (tagFree) {
    fuzz::check(readProgramConfig(programConfigText(lenient), {}) == lenient, "round trip");
  }
  Calibration calibration;
  (void)readCalibrationStrict(text, calibration);
  (void)calibrationText(readCalibration(text, neutralCalibration()));
  const Result<MqttSettings> mqtt = mqttSettings(readMqttConfig(text), text.substr(0, 16));
  if (mqtt) {
    fuzz::check(
        !mqtt->host.empty() && mqtt->port >= 1 && mqtt->port <= 65535 && mqtt->intervalSeconds >= 1,
        "usable settings");
    fuzz::check(mqtt->topic.find_first_of("+#") == std::string::npos, "a topic one can publish to");
  }
  const AlarmSettingsRead alarms = alarmSettings(readAlarmConfig(text));
  const AlarmSettings& limits = alarms.settings;
  fuzz::check(limits.holdSeconds >= 0 && limits.holdSeconds <= kLongestHoldSeconds &&
                  limits.hysteresisPercent >= 0 &&
                  limits.hysteresisPercent <= kLargestHysteresisPercent,
              "alarm hold and hysteresis in range");
  for (AlarmKind kind : kAlarmKinds) {
    if (limits.configured(kind)) {
      fuzz::check(std::isfinite(*limits.limits[indexOf(kind)]), "alarm limits are finite");
    }
  }
  return 0;
}
