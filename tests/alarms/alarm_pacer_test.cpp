// How often an alarm is told: at most once a minute, the rest summed up.
#include "alarms/alarm_pacer.h"

#include <gtest/gtest.h>

#include <map>

#include "alarms/alarm_text.h"

namespace tamsel {
namespace {

LocalDateTime timeAt(int t) {
  return {2010, 5, 23, 14 + t / 3600, t / 60 % 60, t % 60};
}

// LowVolts changed at the given seconds (true raised), ticked once a second
// for `seconds`, then the logger leaves; each telling as
// "60 14:01:00 <line>", with " (heard)" when the command and desktop hear it.
std::vector<std::string> tellings(const std::map<int, bool>& changes, int seconds) {
  AlarmPacer pacer;
  std::vector<std::string> told;
  auto note = [&](int t, const AlarmTelling& telling) {
    told.push_back(std::to_string(t) + " " + longTime(telling.event.at) + " " +
                   alarmTellingLine(telling, "") + (telling.stateChanged ? " (heard)" : ""));
  };
  for (int t = 0; t <= seconds; ++t) {
    if (auto change = changes.find(t); change != changes.end()) {
      const AlarmEvent event{AlarmKind::LowVolts,           change->second,
                             AlarmEvent::Cause::Level,      change->second ? 11.0 : 12.0,
                             change->second ? 11.5 : 11.73, timeAt(t)};
      if (auto telling = pacer.changed(event, 1000 + t)) note(t, *telling);
    }
    for (const AlarmTelling& telling : pacer.tick(1000 + t, timeAt(t))) note(t, telling);
  }
  for (const AlarmTelling& telling : pacer.flush(1000 + seconds, timeAt(seconds))) {
    note(seconds + 1, telling);
  }
  return told;
}

std::map<int, bool> flapping(int from, int to) {
  std::map<int, bool> changes;
  for (int t = from; t <= to; ++t) changes[t] = (t - from) % 2 == 0;
  return changes;
}

TEST(AlarmPacer, TellsEachAlarmAtMostOnceAMinute) {
  const std::string raised = "LowVolts alarm raised: battery at 11.00 V, below 11.5 V";
  const std::string cleared = "LowVolts alarm cleared: battery at 12.00 V, above 11.73 V";
  const struct {
    const char* name;
    std::map<int, bool> changes;
    int seconds;
    std::vector<std::string> told;
  } cases[] = {
      {"a change after a quiet minute is told at once",
       {{0, true}, {100, false}},
       200,
       {"0 14:00:00 " + raised + " (heard)", "100 14:01:40 " + cleared + " (heard)"}},
      {"one change within the minute is told as it is, at its own time, a minute on",
       {{0, true}, {5, false}},
       200,
       {"0 14:00:00 " + raised + " (heard)", "60 14:00:05 " + cleared + " (heard)"}},
      {"flapping: one line a minute, and the command only hears a new state",
       flapping(0, 130),
       130,
       {"0 14:00:00 " + raised + " (heard)",
        "60 14:01:00 LowVolts raised and cleared 30 times in the last minute; now raised",
        "120 14:02:00 LowVolts raised and cleared 30 times in the last minute; now raised",
        "131 14:02:10 LowVolts raised and cleared 5 times in the last minute; now raised"}},
      {"raised and cleared back within the minute",
       {{0, true}, {10, false}, {20, true}},
       200,
       {"0 14:00:00 " + raised + " (heard)",
        "60 14:01:00 LowVolts raised and cleared once in the last minute; now raised"}},
      {"more clears than raises end cleared, and that is heard",
       {{0, true}, {10, false}, {20, true}, {30, false}},
       200,
       {"0 14:00:00 " + raised + " (heard)",
        "60 14:01:00 LowVolts raised once and cleared 2 times in the last minute; now cleared "
        "(heard)"}},
      {"what is held when the logger leaves is told then",
       {{0, true}, {5, false}, {6, true}},
       30,
       {"0 14:00:00 " + raised + " (heard)",
        "31 14:00:30 LowVolts raised and cleared once in the last minute; now raised"}},
  };
  for (const auto& c : cases) EXPECT_EQ(tellings(c.changes, c.seconds), c.told) << c.name;
}

}  // namespace
}  // namespace tamsel
