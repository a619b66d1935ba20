#include "analysis/day_file_analysis.h"

#include <chrono>
#include <vector>

#include "history/day_file.h"
#include "logging/day_file_name.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

// The whole day: every record stamped from 00:00 to 23:59 counts.
constexpr TimeRange kEveryRecord{0, 24 * 3600 - 1};

CalendarDate dateOf(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd(day);
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

}  // namespace

const DaySums* DayFileAnalysis::daySums(const std::string& path, const SumRules& rules,
                                        std::string& unread) {
  const std::optional<FileStamp> stamp = fileStamp(path);
  if (!stamp) {
    entries.erase(path);
    return nullptr;
  }
  if (auto found = entries.find(path); found != entries.end()) {
    if (found->second.stamp == *stamp && found->second.rules == rules) return &found->second.sums;
  }
  ++reads_;
  const Result<std::string> text = readDayText(path);
  if (!text) {
    entries.erase(path);
    if (!isMissing(path)) unread = text.error();
    return nullptr;
  }
  DaySumsBuilder builder(rules);
  forEachHistoryRecord(*text, kEveryRecord, [&](const HistoryRecord& record) {
    builder.add(record);
    return true;
  });
  Entry& entry = entries[path];
  entry = {*stamp, rules, builder.sums()};
  return &entry.sums;
}

Result<PerformanceReport> DayFileAnalysis::analyse(const AnalysisSetup& setup,
                                                   const std::string& logsFolder,
                                                   const DateRange& range) {
  if (std::optional<std::string> problem = dateRangeProblem(range)) {
    return Status::failure(*problem);
  }
  Result<AnalysisPlan> plan = analysisPlan(setup);
  if (!plan) return plan.status();
  std::vector<DatedSums> days;
  std::vector<std::string> unreadDays;
  const std::chrono::sys_days last =
      std::chrono::year{range.to.year} / range.to.month / range.to.day;
  for (std::chrono::sys_days day =
           std::chrono::year{range.from.year} / range.from.month / range.from.day;
       day <= last; day += std::chrono::days(1)) {
    const CalendarDate date = dateOf(day);
    const std::string name = dayFileName(date);
    std::string unread;
    if (const DaySums* sums = daySums(logsFolder + "/" + name, plan->rules, unread)) {
      days.push_back({date, sums});
    } else if (!unread.empty()) {
      unreadDays.push_back(cannotReadMessage(name, unread));
    }
  }
  PerformanceReport report = combineDays(*plan, days, range);
  report.unreadDays = std::move(unreadDays);
  return report;
}

}  // namespace tamsel
