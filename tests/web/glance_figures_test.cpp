// The owner's first look and the daily summary: the battery's word, the
// stretches compared, and the summary's texts, each on hand-worked figures.
#include "web/glance_figures.h"

#include <gtest/gtest.h>

#include "web/day_summary.h"

namespace tamsel::test {
namespace {

TEST(Glance, BatteryWordFollowsTheConfiguredLimits) {
  const BatteryLimits all{11.5, 14.4, 15.0};
  const BatteryLimits none{};
  const BatteryLimits noFull{11.5, std::nullopt, 15.0};
  const struct {
    std::optional<double> volts;
    BatteryLimits limits;
    const char* word;
  } cases[] = {
      {std::nullopt, all, ""},
      {11.49, all, "Low"},
      {11.5, all, "OK"},
      {14.39, all, "OK"},
      {14.4, all, "Full"},
      {15.0, all, "Full"},
      {15.01, all, "High"},
      {3.0, none, "OK"},
      {99.0, none, "OK"},
      {14.9, noFull, "OK"},
      {9.0, noFull, "Low"},
      {12.0, {13.0, 12.0, std::nullopt}, "Low"},  // muddled limits: the alarm's word wins
  };
  for (const auto& c : cases)
    EXPECT_EQ(batteryState(c.volts, c.limits), c.word) << (c.volts ? *c.volts : -1);
}

TEST(Glance, ComparesTheSameStretchOfAnEarlierMonth) {
  const auto stretch = [](CalendarDate from, CalendarDate to, int minute) {
    return Stretch{from, to, minute};
  };
  const int wholeDay = 23 * 60 + 59;
  const struct {
    LocalDateTime now;
    bool year;
    int months;
    Stretch earlier;
  } cases[] = {
      // 14:05 on the 23rd: the 1st to the 23rd of April, the 23rd up to 14:05.
      {{2010, 5, 23, 14, 5, 33}, false, 1, stretch({2010, 4, 1}, {2010, 4, 23}, 14 * 60 + 5)},
      // The 31st has no twin in February: all of February, counted whole.
      {{2024, 3, 31, 8, 0, 0}, false, 1, stretch({2024, 2, 1}, {2024, 2, 29}, wholeDay)},
      // January looks back across the new year.
      {{2024, 1, 10, 0, 0, 0}, false, 1, stretch({2023, 12, 1}, {2023, 12, 10}, 0)},
      {{2024, 2, 29, 12, 0, 0}, false, 12, stretch({2023, 2, 1}, {2023, 2, 28}, wholeDay)},
      {{2024, 2, 29, 12, 0, 0}, true, 12, stretch({2023, 1, 1}, {2023, 2, 28}, wholeDay)},
      {{2010, 5, 23, 14, 5, 0}, true, 12, stretch({2009, 1, 1}, {2009, 5, 23}, 14 * 60 + 5)},
  };
  for (const auto& c : cases) {
    const Stretch now = c.year ? yearSoFar(c.now) : monthSoFar(c.now);
    EXPECT_EQ(monthsEarlier(now, c.months), c.earlier) << isoDateTime(c.now);
  }
  EXPECT_EQ(percentChange(150, 120), 25);
  EXPECT_EQ(percentChange(90, 120), -25);
  EXPECT_FALSE(percentChange(90, 0));
  EXPECT_FALSE(percentChange(90, std::nullopt));
}

TEST(DailySummary, AlarmDaysAreThoseWithAnAlarmRaisedInTheErrorLog) {
  const std::string log =
      "2010_05_21  09:00:00  checksum error  x <IM> [<V>..]\r\n"
      "2010_05_22  23:59:59  LowVolts alarm raised: battery at 11.42 V, below 11.5 V   <IM> \r\n"
      "2010_05_23  00:00:01  LowVolts alarm cleared: battery at 11.76 V  <IM> \r\n"
      "2010_05_24  10:00:00  NoDataMinutes alarm raised: no data for 10 minutes  <IM> \r\n"
      "2010_02_30  10:00:00  HighVolts alarm raised: a torn date  <IM> \r\n"
      "2010_05_25  10:00:00  alarm command: said alarm raised  <IM> \r\n"
      "2010_05_26  10:00:00  LowVolts alarm raised";  // the last line, torn
  EXPECT_EQ(alarmDays(log), (std::set<CalendarDate>{{2010, 5, 22}, {2010, 5, 24}, {2010, 5, 26}}));
}

TEST(DailySummary, CsvHoldsTheRowsFiguresRounded) {
  BatteryDay day;
  day.date = {2010, 5, 23};
  day.minVolts = 12.104;
  day.minAt = "06:12";
  day.maxVolts = 14.1;
  day.maxAt = "13:40";
  day.ampHours = 65.205;
  day.peakWatts = 420.04;
  day.peakAt = "13:02";
  day.maxWind = 31;
  day.maxRpm = 380.4;
  day.hoursFull = 2.5;
  BatteryDay calm = day;
  calm.date = {2010, 5, 24};
  calm.hoursFull.reset();
  EXPECT_EQ(summaryCsv({{day, 812.4, false}, {calm, 1234.5, true}}),
            "date,kWh,Ah,lowest V,at,highest V,at,peak W,at,highest wind,highest RPM,hours full,"
            "alarm\r\n"
            "2010-05-23,0.812,65.21,12.10,06:12,14.10,13:40,420.0,13:02,31.0,380,2.50,no\r\n"
            "2010-05-24,1.235,65.21,12.10,06:12,14.10,13:40,420.0,13:02,31.0,380,,yes\r\n");
}

}  // namespace
}  // namespace tamsel::test
