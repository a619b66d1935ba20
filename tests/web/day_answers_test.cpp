// The day answers against the history window's own loading, export and energy.
#include <fcntl.h>
#include <unistd.h>

#include <QJsonArray>

#include "history/day_file.h"
#include "history/history_export.h"
#include "history/history_settings.h"
#include "history/time_chart.h"
#include "web/web_fixture.h"

namespace tamsel::test {
namespace {

std::string record(const char* time, const char* volts, const char* watts, const char* rpm) {
  return std::string("<T>") + time + "</T><V>" + volts + "</V><I>3.2</I><W>" + watts + "</W><R>" +
         rpm + "</R><S>12</S><M></M>   1.0Wh\r\n";
}

// Records at the range's ends (kept), a torn one and an RPM past 500.
const std::string kDay =
    record("00:00", "12.00", "10.0", "100") + record("00:01", "12.50", "40.0", "350") +
    record("09:30", "13.10", "120.0", "650") + "<T>10:00</T><V>12.9" + "\r\n" +
    record("11:15", ".50", "0.0", "0") + record("23:58", "12.70", "80.0", "420") +
    record("23:59", "12.80", "90.0", "430");

class DayTest : public WebTest {
 protected:
  DayTest() {
    std::filesystem::create_directories(folder.file("logs"));
    folder.write("logs/P_2010_05_20.txt", kDay);
  }
  // What the history window holds after loading the day's file for `range`.
  int historyLoad(TimeRange range) { return loadHistory(kDay, range, *store).recordCount; }
  HistorySettings settings() { return *loadHistorySettings(folder.path()); }

  std::unique_ptr<HistoryStore> store = std::make_unique<HistoryStore>();
};

TEST_F(DayTest, RecordsAndEnergyAreTheHistoryWindowsLoad) {
  startLogger();
  const HttpReply reply = get("/api/day?date=2010-05-20");
  ASSERT_EQ(reply.status, 200) << reply.body;
  const QJsonObject o = json(reply);
  const int count = historyLoad(kWholeDay);
  const QJsonArray records = o["records"].toArray();
  ASSERT_EQ(records.size(), count);
  for (int i = 0; i < count; ++i) {
    const QJsonArray r = records[i].toArray();
    EXPECT_EQ(r[0].toInt(), store->time[i + 1]);
    for (int s = 0; s < kSeriesCount; ++s) EXPECT_EQ(r[s + 1].toDouble(), store->values[s][i + 1]);
  }
  DisplayList plot;
  const auto chart = drawTimeChart(*store, {1, double(count)}, settings(), plot);
  ASSERT_TRUE(chart);
  EXPECT_EQ(o["energyWh"].toDouble(), chart->energyWh);
  EXPECT_EQ(o["scale"]["maxRpm"].toDouble(), settings().MR);
  EXPECT_EQ(o["scale"]["windUnits"].toString(), "mph");

  const QJsonObject part = json(get("/api/day?date=2010-05-20&from=09:30&to=23:58"));
  EXPECT_EQ(part["records"].toArray().size(),
            historyLoad({9 * 3600 + 30 * 60, 23 * 3600 + 58 * 60}));
  EXPECT_EQ(folder.read("logs/P_2010_05_20.txt"), kDay) << "only read, never appended to";
}

TEST_F(DayTest, CsvIsTheHistoryWindowsExportByteForByte) {
  startLogger();
  const HttpReply reply = get("/day.csv?date=2010-05-20&from=00:00&to=23:59");
  ASSERT_EQ(reply.status, 200) << reply.body;
  const int count = historyLoad(kWholeDay);
  EXPECT_EQ(reply.body, csvText(*store, 1, count));
  EXPECT_EQ(reply.header("content-type"), "text/csv");
  EXPECT_EQ(reply.header("content-disposition"),
            "attachment; filename=\"P_2010_05_20_0000_2359.csv\"");
  EXPECT_EQ(get("/day.csv?date=2010-05-20&from=11:00&to=23:00").status, 404)
      << "one record draws no chart and exports nothing";
}

TEST_F(DayTest, DaysAreListedNewestFirstAndOthersAreNotFound) {
  folder.write("logs/P_2010_02_30.txt", kDay);  // no such date
  folder.write("logs/watthours.txt", "");
  startLogger();
  EXPECT_EQ(get("/api/days").body, R"({"days":["2010-05-23","2010-05-20"]})");
  EXPECT_EQ(get("/api/day?date=2010-05-21").status, 404);
  EXPECT_EQ(get("/api/day?date=2010-02-30").status, 400);
}

TEST_F(DayTest, EnergyIsEachDaysHistoryFigureAndTodayTheRunningTotal) {
  folder.write("logs/P_2010_04_02.txt", kDay);
  startLogger();
  const double day = dayEnergyWh(kDay, settings().logDelay);
  DisplayList plot;
  EXPECT_EQ(day,
            drawTimeChart(*store, {1, double(historyLoad(kWholeDay))}, settings(), plot)->energyWh);
  const QJsonObject o = json(get("/api/energy?year=2010&month=5"));
  const QJsonArray days = o["days"].toArray();
  ASSERT_EQ(days.size(), 2);
  EXPECT_EQ(days[0]["date"].toString(), "2010-05-20");
  EXPECT_EQ(days[0]["wattHours"].toDouble(), day);
  EXPECT_EQ(days[1]["date"].toString(), "2010-05-23");
  EXPECT_EQ(days[1]["wattHours"].toDouble(), session().wattHours());
  EXPECT_EQ(o["monthTotal"].toDouble(), day + session().wattHours());
  EXPECT_EQ(o["months"][3]["wattHours"].toDouble(), day);
  EXPECT_EQ(o["yearTotal"].toDouble(), day + (day + session().wattHours()));

  // A day is read again only when its file changed.
  const EnergyCache& cache = dashboard->webServer().dayAnswers().energyCache();
  const int reads = cache.reads();
  (void)get("/api/energy?year=2010");
  EXPECT_EQ(cache.reads(), reads);
  const std::string longer = kDay + record("23:58", "12.70", "360.0", "420");
  folder.write("logs/P_2010_05_20.txt", longer);
  const QJsonObject changed = json(get("/api/energy?year=2010&month=5"));
  EXPECT_EQ(changed["days"][0]["wattHours"].toDouble(), dayEnergyWh(longer, settings().logDelay));
}

// A day file far larger than memory (sparse, so it takes no disk) is
// refused with a reason, by the dashboard and the history window alike, and
// the logger goes on.
TEST_F(DayTest, ADayFileLargerThanAnyDayIsRefusedNotRead) {
  const std::string huge = folder.file("logs/P_2010_05_21.txt");
  const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, std::int64_t(64) << 30), 0);
  ::close(fd);
  startLogger();
  const HttpReply day = get("/api/day?date=2010-05-21");
  EXPECT_EQ(day.status, 500);
  EXPECT_EQ(json(day)["error"].toString(), "P_2010_05_21.txt cannot be read: larger than 32 MiB");
  const QJsonObject energy = json(get("/api/energy?year=2010&month=5"));
  ASSERT_EQ(energy["days"].toArray().size(), 2) << "the huge day is left out";
  EXPECT_EQ(energy["days"][0]["date"].toString(), "2010-05-20");
  const Result<std::string> windowRead = readDayFile(huge);
  ASSERT_FALSE(windowRead);
  EXPECT_EQ(windowRead.error(), "larger than 32 MiB");
  EXPECT_EQ(get("/api/days").status, 200);
}

}  // namespace
}  // namespace tamsel::test
