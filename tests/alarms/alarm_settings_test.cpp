// alarm.cfg's values: what each may be, and what loading does with one that
// cannot be used.
#include "alarms/alarm_settings.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(AlarmSettings, AFileOfEmptyValuesRaisesNothingAndDefaultsHold) {
  const AlarmSettingsRead read = alarmSettings(readAlarmConfig(
      "Alarm Config File\r\n\r\n<LowVolts> 11.5 </LowVolts>\r\n<HighVolts></HighVolts>\r\n"));
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(read.settings.limits[indexOf(AlarmKind::LowVolts)], 11.5);
  EXPECT_FALSE(read.settings.configured(AlarmKind::HighVolts));
  EXPECT_EQ(read.settings.holdSeconds, 30);
  // 2 % of the limit, away from the alarm.
  EXPECT_DOUBLE_EQ(read.settings.clearLevel(AlarmKind::LowVolts), 11.73);
  EXPECT_FALSE(alarmSettings({}).settings.anyConfigured());
}

TEST(AlarmSettings, AValueThatCannotBeUsedIsNamedAndItsAlarmStaysOff) {
  struct Case {
    std::string AlarmConfig::*field;
    const char* value;
    const char* problem;  // "" when usable
  } cases[] = {
      {&AlarmConfig::HighAmps, "30", ""},
      {&AlarmConfig::HighAmps, "thirty",
       "alarm.cfg: HighAmps must be a number (empty for no alarm); that alarm is off"},
      {&AlarmConfig::HighWind, "1e999",
       "alarm.cfg: HighWind must be a number (empty for no alarm); that alarm is off"},
      {&AlarmConfig::NoDataMinutes, "0",
       "alarm.cfg: NoDataMinutes must be a number of minutes above 0, up to 10080 (empty for no "
       "alarm); that alarm is off"},
      {&AlarmConfig::HoldSeconds, "0", ""},
      {&AlarmConfig::HoldSeconds, "2.5",
       "alarm.cfg: HoldSeconds must be a whole number of seconds from 0 to 3600 (empty for 30); "
       "30 is used"},
      {&AlarmConfig::Hysteresis, "5 %", ""},
      {&AlarmConfig::Hysteresis, "-1",
       "alarm.cfg: Hysteresis must be a percentage from 0 to 50 (empty for 2); 2 is used"},
      {&AlarmConfig::HighVolts, "11",
       "alarm.cfg: LowVolts must be below the battery high limit (HighVolts); both alarms are off"},
  };
  for (const Case& c : cases) {
    AlarmConfig config;
    config.LowVolts = "11.5";
    config.*c.field = c.value;
    const AlarmSettingsRead read = alarmSettings(config);
    std::string problems;
    for (const AlarmProblem& p : read.problems) problems += loadProblemText(p);
    EXPECT_EQ(problems, c.problem) << c.value;
    if (*c.problem) {
      EXPECT_EQ(read.settings.holdSeconds, 30) << c.value;
      EXPECT_EQ(read.settings.hysteresisPercent, 2) << c.value;
    }
  }
  AlarmConfig both;
  both.LowVolts = "12";
  both.HighVolts = "11";
  const AlarmSettings wrongWay = alarmSettings(both).settings;
  EXPECT_FALSE(wrongWay.configured(AlarmKind::LowVolts) ||
               wrongWay.configured(AlarmKind::HighVolts));
}

}  // namespace
}  // namespace tamsel
