#pragma once
// What the owner reads first: the battery's state in one word, today's
// figures, and this month and year against the same stretch of the month
// before and of last year. Plain values and rules; the answer that gathers
// them from the day files is glance_answers.
#include <optional>
#include <string>
#include <string_view>

#include "analysis/performance_report.h"
#include "platform/calendar.h"

namespace tamsel {

// The limits the state word is read against; a limit not configured is
// absent, and the word it gives is then never shown.
struct BatteryLimits {
  std::optional<double> lowVolts;   // alarm.cfg's LowVolts
  std::optional<double> fullVolts;  // turbine.cfg's FullVolts, 1.2 × SV by default
  std::optional<double> highVolts;  // alarm.cfg's HighVolts
};

// "High" above HighVolts, "Low" below LowVolts, "Full" at or above
// FullVolts, else "OK"; "High" and "Low" go first, as the alarms would
// sound for them whatever FullVolts says. Empty without a reading.
std::string batteryState(std::optional<double> volts, const BatteryLimits& limits);

// Days `from` to `to`, both included, the last counted up to and including
// the record stamped `lastMinute` (a minute of the day; 23:59 for the whole day).
struct Stretch {
  CalendarDate from;
  CalendarDate to;
  int lastMinute = 23 * 60 + 59;
  bool operator==(const Stretch&) const = default;
};

// From the 1st of `now`'s month to now, and from New Year's day to now.
Stretch monthSoFar(const LocalDateTime& now);
Stretch yearSoFar(const LocalDateTime& now);
// The same stretch `months` months earlier (12 for last year); the last day
// is the same day of the month, or that month's last when it is shorter, and
// then counted whole.
Stretch monthsEarlier(const Stretch& stretch, int months);

// (now − before) / before in per cent; none when `before` is 0 or none.
std::optional<double> percentChange(double now, std::optional<double> before);

// A stretch's energy beside the one it is compared with; `wattHours` is
// none when no day file of the stretch exists.
struct Comparison {
  Stretch stretch;
  std::optional<double> wattHours;
};

struct GlanceFigures {
  LocalDateTime now;
  std::optional<double> volts;  // the newest reading's
  std::optional<double> age;    // seconds since it came
  BatteryLimits limits;
  double todayWattHours = 0;
  std::optional<BatteryDay> today;  // none before today's first record
  std::string windUnits;
  double monthWattHours = 0;
  Comparison lastMonth;
  Comparison monthLastYear;
  double yearWattHours = 0;
  Comparison lastYear;
};

// /api/glance:
// {"now":"2010-05-23T14:05:33","battery":{"state":"OK","volts":12.6,"age":2,
//   "lowVolts":11.5,"fullVolts":14.4,"highVolts":null},
//  "today":{"wattHours":812,"ampHours":65.2,"minVolts":12.1,"minAt":"06:12",
//   "maxVolts":14.1,"maxAt":"13:40","peakWatts":420,"peakAt":"13:02","maxWind":31,
//   "maxRpm":380,"windUnits":"mph"},
//  "month":{"wattHours":..,"from":"2010-05-01","to":"2010-05-23","lastMonth":{"from":..,
//   "to":..,"until":"14:05","wattHours":..,"percent":..},"lastYear":{..}},
//  "year":{"wattHours":..,"from":..,"to":..,"lastYear":{..}}}
// A figure that cannot be given is null (today's, before today's first record).
std::string glanceJson(const GlanceFigures& figures);

}  // namespace tamsel
