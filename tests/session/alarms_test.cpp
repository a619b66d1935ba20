// Alarms as the session tells them: each change of state at once, its words
// at most once a minute, and a problem of alarm.cfg once.
#include <algorithm>

#include "config/alarm_config.h"
#include "session_fixture.h"

namespace tamsel::test {
namespace {

// 11.00 V with the tests' calibration.
const char* kLowFrame = "[<V>440</V><I>164</I><R>5</R><S>13</S><C>622</C>]";

using SessionAlarmsTest = SessionTest;

// With HoldSeconds and Hysteresis 0 every frame can flip the alarm: whoever
// shows its state hears of every change, the owner of each change once a
// minute, and of a minute that ended where it began not as news.
TEST_F(SessionAlarmsTest, AFlappingAlarmIsToldOnceAMinute) {
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  alarms.HoldSeconds = "0";
  alarms.Hysteresis = "0";
  folder.write("alarm.cfg", alarmConfigText(alarms));
  ProgCfg cfg;
  cfg.dispMessages = "1";
  start(cfg);
  alarmSecond();
  for (int s = 0; s < 10; ++s) alarmSecond(s % 2 == 0 ? kLowFrame : kGoodFrame);
  minuteLater();
  minuteLater();
  Steps told;
  for (const std::string& step : steps.take()) {
    if (step.rfind("alarm ", 0) == 0 || step.rfind("told: ", 0) == 0 || step.rfind("news", 0) == 0)
      told.push_back(step);
  }
  const std::string raised = "LowVolts alarm raised: battery at 11.00 V, below 11.5 V";
  const std::string summary =
      "LowVolts raised 4 times and cleared 5 times in the last minute; now cleared";
  Steps expected = {"alarm raised", "told: " + raised, "news: " + raised};
  for (int flip = 0; flip < 9; ++flip)
    expected.push_back(flip % 2 ? "alarm raised" : "alarm cleared");
  expected.insert(expected.end(), {"told: " + summary, "news: " + summary});
  EXPECT_EQ(told, expected);
  EXPECT_NE(errorLog().find("2010_05_23  14:06:44  " + summary + "   <IM> \r\n"), std::string::npos)
      << errorLog();
}

// A problem of alarm.cfg is told when it is read, once, not at every reading
// of the files nor at the first alarm.
TEST_F(SessionAlarmsTest, AProblemOfTheFileIsReportedOnceWhenItIsRead) {
  const std::string plain = folder.file("plain.sh");
  folder.write("plain.sh", "#!/bin/sh\n");  // not executable
  const struct {
    std::string AlarmConfig::*field;  // none: `value` is the whole file
    std::string value;
    std::string problem;
  } cases[] = {
      {&AlarmConfig::HighAmps, "thirty",
       "alarm.cfg: HighAmps must be a number (empty for no alarm); that alarm is off"},
      {&AlarmConfig::Command, "missing.sh",
       "alarm.cfg: Command must name a program that can be run: " + folder.file("missing.sh") +
           " is missing; it is tried at each alarm"},
      {&AlarmConfig::Command, folder.path(),
       "alarm.cfg: Command must name a program that can be run: " + folder.path() +
           " is a folder; it is tried at each alarm"},
      {&AlarmConfig::Command, plain,
       "alarm.cfg: Command must name a program that can be run: " + plain +
           " is not executable; it is tried at each alarm"},
      {nullptr, "Alarm Config File\r\n\r\n<LowVolt>11.5</LowVolt>\r\n",
       "alarm.cfg holds no alarm setting: none of its keys is known; no alarms"},
  };
  LoggerSession& s = start();
  for (const auto& c : cases) {
    AlarmConfig alarms;
    alarms.LowVolts = "11.5";
    if (c.field) alarms.*c.field = c.value;
    folder.write("alarm.cfg", c.field ? alarmConfigText(alarms) : c.value);
    (void)s.LoadConfiguration();
    (void)s.LoadConfiguration();  // alarm.cfg unchanged
    const Steps told = steps.take();
    EXPECT_EQ(std::count(told.begin(), told.end(), "error: " + c.problem + "  "), 1) << c.problem;
  }
}

}  // namespace
}  // namespace tamsel::test
