#pragma once
// The daily summary table: one row per day with records, its figures from
// the battery analysis and its energy as the energy page counts it, and
// whether an alarm was raised that day. Plain values and texts; the answer
// that gathers them is glance_answers.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/performance_report.h"
#include "platform/calendar.h"

namespace tamsel {

struct SummaryRow {
  BatteryDay day;        // its wattHours is replaced by `wattHours` below
  double wattHours = 0;  // as the energy page counts the day
  bool alarmRaised = false;
};

// The days on which errorlog.txt has a line of an alarm raised
// ("2010_05_23  14:05:33  LowVolts alarm raised: ..."). The log holds them
// whenever the logger runs headless, and in the window when dispMessages is
// ticked; without it, no day shows an alarm.
std::set<CalendarDate> alarmDays(std::string_view errorLogText);

// {"from":"2010-05-01","to":"2010-05-31","windUnits":"mph","rows":[{"date":"2010-05-23",
//  "wattHours":812,"ampHours":65.2,"minVolts":12.1,"minAt":"06:12","maxVolts":14.1,
//  "maxAt":"13:40","peakWatts":420,"peakAt":"13:02","maxWind":31,"maxRpm":380,
//  "hoursFull":2.5,"alarm":false},...]}; hoursFull is null without FullVolts.
std::string summaryJson(const CalendarDate& from, const CalendarDate& to,
                        std::string_view windUnits, const std::vector<SummaryRow>& rows);

// The same rows as CSV, a header line first, every line ended by CR LF:
// "2010-05-23,0.812,65.20,12.10,06:12,14.10,13:40,420.0,13:02,31.0,380,2.50,no".
std::string summaryCsv(const std::vector<SummaryRow>& rows);

}  // namespace tamsel
