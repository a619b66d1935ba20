#include "analysis/day_file_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

std::string line(const char* time, const char* volts, const char* watts, const char* wind) {
  return std::string("<T>") + time + "</T><V>" + volts + "</V><I>1.0</I><W>" + watts +
         "</W><R>100</R><S>" + wind + "</S><M></M>   1.0Wh";
}

TEST(DayFileAnalysis, ReadsEachDayOnceUntilItsFileOrTheRulesChange) {
  test::TempFolder logs;
  logs.write("P_2024_03_01.txt", line("10:00", "12.00", "60.0", "5") + "\r\n" +
                                     line("23:59", "11.50", "120.0", "6") + "\r\n");
  // The 2nd has no file; the 3rd has a line torn by a power cut.
  logs.write("P_2024_03_03.txt", line("00:00", "13.00", "30.0", "0") + "\r\n<T>00:01</T><V>9");
  const AnalysisSetup setup{{}, "60", "m/s", "10"};
  const DateRange range{{2024, 3, 1}, {2024, 3, 3}};
  DayFileAnalysis analysis;
  Result<PerformanceReport> report = analysis.analyse(setup, logs.path(), range);
  ASSERT_TRUE(report) << report.error();
  EXPECT_EQ(analysis.reads(), 2);
  EXPECT_EQ(report->records, 3);
  EXPECT_DOUBLE_EQ(report->deliveredWh, 3.5);  // (60 + 120 + 30) W × 60 s / 3600
  ASSERT_EQ(report->battery.size(), 2u);
  EXPECT_EQ(report->battery[0].minAt, "23:59");
  EXPECT_EQ(report->battery[1].date, (CalendarDate{2024, 3, 3}));
  EXPECT_EQ(report->daysSinceFull, 0);  // 13 V ≥ 12 V on the last day

  // Nothing changed: nothing is read, and the figures are the same.
  const PerformanceReport first = *report;
  report = analysis.analyse(setup, logs.path(), range);
  EXPECT_EQ(analysis.reads(), 2);
  EXPECT_EQ(report->deliveredWh, first.deliveredWh);
  EXPECT_EQ(report->bins.size(), first.bins.size());

  // A record more on the 3rd: only that day is read again.
  ASSERT_TRUE(appendLine(logs.file("P_2024_03_03.txt"), line("00:02", "12.00", "90.0", "5")));
  report = analysis.analyse(setup, logs.path(), range);
  EXPECT_EQ(analysis.reads(), 3);
  EXPECT_DOUBLE_EQ(report->deliveredWh, 5);
  EXPECT_EQ(report->bins[0].count, 2);  // 5 m/s on the 1st and the 3rd

  // Other rules for the sums: every day is summed again.
  report = analysis.analyse({{}, "60", "mph", "10"}, logs.path(), range);
  EXPECT_EQ(analysis.reads(), 5);
  EXPECT_EQ(report->binWidth, 0.5);
}

TEST(DayFileAnalysis, ADayThatCannotBeReadIsNamedAndTheOthersCount) {
  test::TempFolder logs;
  logs.write("P_2024_03_01.txt", line("10:00", "12.00", "60.0", "5") + "\r\n");
  std::filesystem::create_directory(logs.file("P_2024_03_02.txt"));
  DayFileAnalysis analysis;
  const Result<PerformanceReport> report =
      analysis.analyse({{}, "60", "m/s", "12"}, logs.path(), {{2024, 3, 1}, {2024, 3, 2}});
  ASSERT_TRUE(report);
  ASSERT_EQ(report->unreadDays.size(), 1u);
  EXPECT_TRUE(report->unreadDays[0].starts_with("P_2024_03_02.txt cannot be read: "))
      << report->unreadDays[0];
  EXPECT_DOUBLE_EQ(report->deliveredWh, 1);
}

}  // namespace
}  // namespace tamsel
