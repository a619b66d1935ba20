#include "app/outputs/battery_watch.h"

#include <chrono>

#include "analysis/analysis_setup_file.h"
#include "logging/day_file_name.h"
#include "mqtt/mqtt_payloads.h"

namespace tamsel {
namespace {

CalendarDate daysBefore(const CalendarDate& day, int count) {
  const std::chrono::year_month_day earlier(
      std::chrono::sys_days(std::chrono::year{day.year} / day.month / day.day) -
      std::chrono::days(count));
  return {static_cast<int>(earlier.year()), static_cast<int>(unsigned(earlier.month())),
          static_cast<int>(unsigned(earlier.day()))};
}

}  // namespace

std::string batteryState(DayFileAnalysis& analysis, const std::string& programFolder,
                         const CalendarDate& day) {
  const Result<AnalysisSetup> setup = loadAnalysisSetup(programFolder);
  if (!setup) return batteryStateJson(std::nullopt, std::nullopt);
  const DateRange range{daysBefore(day, kBatteryDays - 1), day};
  const Result<PerformanceReport> report = analysis.analyse(*setup, programFolder + "/logs", range);
  if (!report) return batteryStateJson(std::nullopt, std::nullopt);
  // Called after a record of the day was written: a day without its battery
  // figures is one whose file could not be read, not a day of no charge.
  std::optional<double> ampHours;
  if (!report->battery.empty() && report->battery.back().date == day)
    ampHours = report->battery.back().ampHours;
  return batteryStateJson(ampHours, report->daysSinceFull);
}

BatteryWatch::BatteryWatch(std::string folder, Done done, QObject* parent)
    : QObject(parent), programFolder(std::move(folder)), done(std::move(done)) {
  pool.setMaxThreadCount(1);
}

BatteryWatch::~BatteryWatch() {
  pool.waitForDone();
}

void BatteryWatch::recordWritten(const CalendarDate& day) {
  if (running) {
    next = day;
    return;
  }
  startRun(day);
}

void BatteryWatch::startRun(const CalendarDate& day) {
  running = true;
  pool.start([this, day] {
    const std::string state = batteryState(analysis, programFolder, day);
    // Back on the loop; dropped by Qt if the watch is gone by then.
    QMetaObject::invokeMethod(
        this, [this, state] { runFinished(state); }, Qt::QueuedConnection);
  });
}

void BatteryWatch::runFinished(const std::string& state) {
  running = false;
  if (next) {
    const CalendarDate day = *next;
    next.reset();
    startRun(day);
  }
  done(state);
}

}  // namespace tamsel
