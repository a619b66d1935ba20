#pragma once
// The turbine and battery analysis: the measured power curve by the method
// of bins, the year's energy at Rayleigh winds, delivered against what the
// maker's curve promises, and each day's battery. Every record of the range
// counts, each as LogDelay seconds.
#include <optional>
#include <string>
#include <vector>

#include "analysis/day_sums.h"
#include "analysis/performance_report.h"
#include "config/turbine_config.h"
#include "history/history_store.h"
#include "platform/calendar.h"
#include "platform/status.h"

namespace tamsel {

// What the analysis needs besides the records, as stored: turbine.cfg's
// texts (empty ones take their defaults) and three of prog.cfg's.
struct AnalysisSetup {
  TurbineConfig turbine;
  std::string LogDelay;  // seconds each record stands for
  std::string WSUnits;   // the records' wind unit
  std::string SV;        // system volts: FullVolts defaults to 1.2 × SV
};

// Days from `from` to `to`, both included.
struct DateRange {
  CalendarDate from;
  CalendarDate to;
};

inline constexpr int kMostAnalysedDays = 3660;

// Why a range cannot be analysed (a date the calendar does not have, from
// after to, more than kMostAnalysedDays days); nullopt when it can.
std::optional<std::string> dateRangeProblem(const DateRange& range);

// The number of days from `from` to `to` (0 when they are the same day).
int daysBetween(const CalendarDate& from, const CalendarDate& to);

struct DayRecords {
  CalendarDate date;
  std::vector<HistoryRecord> records;
};

// The analysis of records already in memory. Days outside the range are left
// out. Refused, with the reason, for a range dateRangeProblem refuses and for
// a LogDelay that is no number of seconds above 0.
Result<PerformanceReport> analyseRecords(const AnalysisSetup& setup,
                                         const std::vector<DayRecords>& days,
                                         const DateRange& range);

// The pieces analyseRecords is made of, for readers that sum days their own
// way (the day files' cache).
struct AnalysisPlan {
  TurbineSettingsRead turbine;
  double logDelay = 0;
  std::string windUnit;
  SumRules rules;
};
Result<AnalysisPlan> analysisPlan(const AnalysisSetup& setup);

struct DatedSums {
  CalendarDate date;
  const DaySums* sums;
};
// `days` in date order, within `range`.
PerformanceReport combineDays(const AnalysisPlan& plan, const std::vector<DatedSums>& days,
                              const DateRange& range);

}  // namespace tamsel
