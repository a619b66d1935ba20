// The raise, hold and clear rule, second by second on a clock moved by hand.
#include "alarms/alarm_monitor.h"

#include <gtest/gtest.h>

#include "alarms/alarm_text.h"

namespace tamsel {
namespace {

AlarmMoment at(int t) {
  return {1000 + t, {2010, 5, 23, 14 + t / 3600, t / 60 % 60, t % 60}};
}

enum class Port { Keep, Open, Lost, Closed };

struct Step {
  int seconds;
  std::vector<double> volts;  // the frames of each of those seconds; none: the board is silent
  Port port = Port::Keep;     // before the step
};

// The events as "30 LowVolts raised", one second after another from 0.
std::vector<std::string> run(const AlarmConfig& config, const std::vector<Step>& steps) {
  AlarmMonitor monitor;
  EXPECT_TRUE(monitor.configure(alarmSettings(config).settings, at(0)).empty());
  monitor.portOpened(at(0));
  (void)monitor.tick(at(0));
  std::vector<std::string> seen;
  int t = 0;
  for (const Step& step : steps) {
    if (step.port == Port::Open) monitor.portOpened(at(t));
    if (step.port == Port::Lost) monitor.portLost(at(t));
    if (step.port == Port::Closed) monitor.portClosed();
    for (int s = 0; s < step.seconds; ++s) {
      for (double v : step.volts) monitor.addReading(v, 0, 0, 0);
      for (const AlarmEvent& e : monitor.tick(at(++t))) {
        seen.push_back(std::to_string(t) + " " + std::string(alarmKindInfo(e.kind).key) +
                       (e.raised ? " raised" : " cleared"));
      }
    }
  }
  return seen;
}

using Events = std::vector<std::string>;

TEST(AlarmMonitor, RaisesHoldsAndClearsOnTheAveragedReadings) {
  AlarmConfig low;
  low.LowVolts = "11.5";  // held 30 s, clears above 11.73
  AlarmConfig silent;
  silent.NoDataMinutes = "1";
  silent.HoldSeconds = "10";
  const struct {
    const char* name;
    AlarmConfig config;
    std::vector<Step> steps;
    Events expected;
  } cases[] = {
      {"noise across the limit, averaging above it", low, {{300, {11.3, 11.9}}}, {}},
      {"one wild frame among steady ones", low, {{40, {12.6}}, {1, {12.6, 0.5}}, {60, {12.6}}}, {}},
      {"a held low level is raised once, when the readings span the hold time",
       low,
       {{200, {11.0}}},
       {"30 LowVolts raised"}},
      {"inside the hysteresis it stays raised; past it, cleared once the average is",
       low,
       {{40, {11.0}}, {200, {11.6}}, {60, {11.9}}},
       {"30 LowVolts raised", "254 LowVolts cleared"}},
      {"the first frame after a silence is not judged alone",
       low,
       {{40, {12.5}}, {600, {}}, {5, {10.0}}, {40, {12.5}}},
       {}},
      {"a silent board is raised after the minutes set, and cleared after frames for the hold time",
       silent,
       {{10, {12.5}}, {120, {}}, {30, {12.5}}},
       {"70 NoDataMinutes raised", "141 NoDataMinutes cleared"}},
      {"a stray frame does not clear a silent board",
       silent,
       {{70, {}}, {1, {12.5}}, {60, {}}},
       {"60 NoDataMinutes raised"}},
      {"a port lost that long is a silent board",
       silent,
       {{90, {}, Port::Lost}},
       {"60 NoDataMinutes raised"}},
      {"a port the user closed is not", silent, {{300, {}, Port::Closed}}, {}},
      {"nor are frames before the user closed it counted",
       silent,
       {{5, {12.5}}, {300, {}, Port::Closed}, {50, {}, Port::Open}},
       {}},
  };
  for (const auto& c : cases) EXPECT_EQ(run(c.config, c.steps), c.expected) << c.name;
}

TEST(AlarmMonitor, EachLevelAlarmWatchesItsOwnReading) {
  AlarmConfig config;
  config.LowVolts = "11";
  config.HighVolts = "15";
  config.HighAmps = "30";
  config.HighRPM = "500";
  config.HighWind = "20";
  config.HoldSeconds = "0";
  AlarmMonitor monitor;
  (void)monitor.configure(alarmSettings(config).settings, at(0));
  (void)monitor.tick(at(0));
  monitor.addReading(12, 40, 600, 25);
  Events raised;
  for (const AlarmEvent& e : monitor.tick(at(1))) raised.emplace_back(alarmKindInfo(e.kind).key);
  EXPECT_EQ(raised, (Events{"HighAmps", "HighRPM", "HighWind"}));
  EXPECT_EQ(monitor.state(AlarmKind::HighRPM).value, 600);
  EXPECT_TRUE(monitor.anyActive());

  // A limit changed under an active alarm clears it; the others keep their state.
  config.HighRPM = "700";
  const std::vector<AlarmEvent> changed = monitor.configure(alarmSettings(config).settings, at(2));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(alarmLine(changed[0], "mph"), "HighRPM alarm cleared: its limit was changed");
  EXPECT_TRUE(monitor.state(AlarmKind::HighAmps).active);
}

// Silent since its last frame, or since frames were expected when none came.
TEST(AlarmMonitor, ASilentBoardIsSilentSinceItsLastFrame) {
  AlarmConfig config;
  config.NoDataMinutes = "1";
  const AlarmSettings settings = alarmSettings(config).settings;
  for (const auto& [frames, since] : {std::pair{10, "14:00:10"}, std::pair{0, "14:00:00"}}) {
    AlarmMonitor monitor;
    (void)monitor.configure(settings, at(0));
    monitor.portOpened(at(0));
    (void)monitor.tick(at(0));
    for (int t = 1; t <= 90; ++t) {
      if (t <= frames) monitor.addReading(12.5, 0, 0, 0);
      (void)monitor.tick(at(t));
    }
    EXPECT_EQ(alarmTooltip(AlarmKind::NoData, monitor.state(AlarmKind::NoData), settings, ""),
              std::string("No data since 2010_05_23 ") + since +
                  ": nothing from the board for 1 minutes");
  }
}

TEST(AlarmText, LinesSayWhatCrossedWhatAndTheTooltipSinceWhen) {
  const LocalDateTime when{2010, 5, 23, 14, 5, 33};
  using C = AlarmEvent::Cause;
  const struct {
    AlarmEvent event;
    const char* line;
  } lines[] = {
      {{AlarmKind::LowVolts, true, C::Level, 11.4199, 11.5, when},
       "LowVolts alarm raised: battery at 11.42 V, below 11.5 V"},
      {{AlarmKind::LowVolts, false, C::Level, 11.76, 11.73, when},
       "LowVolts alarm cleared: battery at 11.76 V, above 11.73 V"},
      {{AlarmKind::HighWind, true, C::Level, 22.44, 20, when},
       "HighWind alarm raised: wind at 22.4 knots, above 20 knots"},
      {{AlarmKind::NoData, true, C::PortLost, 10.02, 10, when},
       "NoDataMinutes alarm raised: the port lost for 10 minutes"},
  };
  for (const auto& l : lines) EXPECT_EQ(alarmLine(l.event, "knots"), l.line);
  EXPECT_EQ(
      commandArguments("LowVolts alarm raised: battery at 11.42 V"),
      (std::vector<std::string>{"LowVolts", "alarm", "raised:", "battery", "at", "11.42", "V"}));

  AlarmSettings settings;
  settings.limits[indexOf(AlarmKind::HighVolts)] = 14.8;
  const AlarmState state{true, when, 14.912, {}};
  EXPECT_EQ(alarmTooltip(AlarmKind::HighVolts, state, settings, ""),
            "Battery volts high since 2010_05_23 14:05:33: above 14.8 V (14.91 V); clears below "
            "14.504 V");
  EXPECT_EQ(alarmTooltip(AlarmKind::HighVolts, {}, settings, ""), "");
}

}  // namespace
}  // namespace tamsel
