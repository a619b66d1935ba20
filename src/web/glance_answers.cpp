#include "web/glance_answers.h"

#include <chrono>

#include "analysis/analysis_setup_file.h"
#include "web/day_summary.h"
#include "web/glance_figures.h"
#include "web/live_answers.h"
#include "web/performance_answers.h"
#include "web/route_answers.h"

namespace tamsel {
namespace {

constexpr int kSummaryDays = 31;

std::optional<double> alarmLimit(const DashboardState& state, std::string_view id) {
  for (const DashboardAlarm& alarm : state.alarms)
    if (alarm.id == id) return alarm.threshold;
  return std::nullopt;
}

CalendarDate daysBefore(const CalendarDate& date, int days) {
  const std::chrono::year_month_day ymd(
      std::chrono::sys_days(std::chrono::year{date.year} / date.month / date.day) -
      std::chrono::days(days));
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// The analysis of `range`, or the answer that says why there is none.
struct Analysed {
  std::optional<WebAnswer> failure;
  PerformanceReport report;
  std::string windUnits;
  std::optional<double> fullVolts;
};

Analysed analyse(PerformanceAnswers& performance, const DateRange& range) {
  Analysed analysed;
  const Result<AnalysisSetup> setup = loadAnalysisSetup(performance.folder());
  if (!setup) {
    analysed.failure = jsonError(500, setup.error());
    return analysed;
  }
  analysed.windUnits = setup->WSUnits;
  analysed.fullVolts = turbineSettings(setup->turbine, setup->SV).settings.fullVolts;
  Result<PerformanceReport> report =
      performance.dayAnalysis().analyse(*setup, performance.folder() + "/logs", range);
  if (!report) {
    analysed.failure = jsonError(500, report.error());
    return analysed;
  }
  analysed.report = std::move(*report);
  return analysed;
}

}  // namespace

WebAnswer glanceAnswer(AnswerSources& sources) {
  const DashboardState state = sources.live.state();
  const CalendarDate today = calendarDate(state.now);
  Analysed analysed = analyse(sources.performance, {today, today});
  if (analysed.failure) return *analysed.failure;

  GlanceFigures f;
  f.now = state.now;
  if (state.lastFrame) {
    f.volts = state.reading.voltsValue;
    f.age = std::max(0.0, static_cast<double>(secondsSinceEpoch(state.now) -
                                              secondsSinceEpoch(*state.lastFrame)));
  }
  f.limits = {alarmLimit(state, "low_volts"), analysed.fullVolts, alarmLimit(state, "high_volts")};
  f.todayWattHours = state.wattHours;
  if (!analysed.report.battery.empty()) f.today = analysed.report.battery.front();
  f.windUnits = state.list.windUnits;

  DayAnswers& days = sources.days;
  const auto energy = [&](const Stretch& stretch) {
    return days.stretchEnergy(stretch, today, state.wattHours);
  };
  const Stretch month = monthSoFar(state.now);
  const Stretch year = yearSoFar(state.now);
  f.monthWattHours = energy(month).value_or(0);
  f.yearWattHours = energy(year).value_or(0);
  f.lastMonth.stretch = monthsEarlier(month, 1);
  f.lastMonth.wattHours = energy(f.lastMonth.stretch);
  f.monthLastYear.stretch = monthsEarlier(month, 12);
  f.monthLastYear.wattHours = energy(f.monthLastYear.stretch);
  f.lastYear.stretch = monthsEarlier(year, 12);
  f.lastYear.wattHours = energy(f.lastYear.stretch);
  return {200, "application/json", glanceJson(f), {}};
}

WebAnswer summaryAnswer(AnswerSources& sources, const Route& route, bool csv) {
  const LocalDateTime now = sources.live.now();
  const CalendarDate today = calendarDate(now);
  DateRange range{route.date, route.lastDate};
  if (!route.toGiven)
    range.to = route.fromGiven ? daysBefore(route.date, -(kSummaryDays - 1)) : today;
  if (!route.fromGiven) range.from = daysBefore(range.to, kSummaryDays - 1);
  if (std::optional<std::string> problem = dateRangeProblem(range)) return jsonError(400, *problem);
  Analysed analysed = analyse(sources.performance, range);
  if (analysed.failure) return *analysed.failure;

  const std::set<CalendarDate> alarms = alarmDays(sources.days.errorLogText());
  const double wattHoursToday = sources.live.state().wattHours;
  std::vector<SummaryRow> rows;
  for (const BatteryDay& day : analysed.report.battery) {
    SummaryRow row{day, 0, alarms.contains(day.date)};
    row.wattHours = day.date == today ? wattHoursToday
                                      : sources.days.dayEnergy(day.date).value_or(day.wattHours);
    rows.push_back(std::move(row));
  }
  if (csv) {
    return {200, "text/csv", summaryCsv(rows),
            "summary_" + isoDate(range.from) + "_" + isoDate(range.to) + ".csv"};
  }
  return {200, "application/json", summaryJson(range.from, range.to, analysed.windUnits, rows), {}};
}

}  // namespace tamsel
