#pragma once
// What the owner reads about an alarm: the line written to the error log,
// the message line, the journal, the notification and the command's
// arguments, and the live list's tooltip.
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_monitor.h"
#include "alarms/alarm_pacer.h"

namespace tamsel {

// "LowVolts alarm raised: battery at 11.42 V, below 11.5 V"
// "LowVolts alarm cleared: battery at 11.76 V, above 11.73 V"
// "NoDataMinutes alarm raised: no data from the board for 10 minutes"
// `windUnits` is prog.cfg's WSUnits.
std::string alarmLine(const AlarmEvent& event, std::string_view windUnits);

// A minute's changes summed up:
// "LowVolts raised and cleared 14 times in the last minute; now raised",
// "HighAmps raised 2 times and cleared once in the last minute; now cleared".
std::string alarmSummaryLine(AlarmKind kind, int raises, int clears, bool nowRaised);
// What a telling says: its change's line, or its summary.
std::string alarmTellingLine(const AlarmTelling& telling, std::string_view windUnits);

// The line's parts for a notification: "LowVolts alarm raised" and the rest.
struct AlarmHeadline {
  std::string summary;
  std::string body;
};
AlarmHeadline alarmHeadline(const std::string& line);

// The line's words, one argument each, so "$*" in a script gives the line back.
std::vector<std::string> commandArguments(const std::string& line);

// "Battery volts low since 2010_05_23 14:05:33: below 11.5 V (11.42 V); clears above 11.73 V",
// "No data since 2010_05_23 14:05:33: nothing from the board for 10 minutes";
// empty while the alarm is not active.
std::string alarmTooltip(AlarmKind kind, const AlarmState& state, const AlarmSettings& settings,
                         std::string_view windUnits);

// A level or limit as the texts show it: the quantity's usual decimals.
std::string alarmValueText(AlarmKind kind, double value);
// A limit as typed (at most three decimals): 11.5, 11.73, 14.504.
std::string alarmLimitText(double limit);

}  // namespace tamsel
