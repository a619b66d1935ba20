// The hour a live page draws when it is opened: the readings kept, at most
// one a second, and today's records before them.
#include "web/recent_readings.h"

#include <QJsonArray>
#include <filesystem>

#include "web/web_fixture.h"

namespace tamsel::test {
namespace {

LocalDateTime at(int hour, int minute, int second) {
  return {2010, 5, 23, hour, minute, second};
}

struct KeptCase {
  std::vector<std::pair<LocalDateTime, double>> added;  // when, volts
  LocalDateTime now;
  const char* json;  // what is answered at `now`
};

class RecentKept : public ::testing::TestWithParam<KeptCase> {};

TEST_P(RecentKept, TheNewestOfEachSecondForAnHour) {
  RecentReadings recent;
  for (const auto& [time, volts] : GetParam().added) {
    Reading reading;
    reading.voltsValue = volts;
    reading.wattsValue = 40;
    recent.add(time, reading);
  }
  EXPECT_EQ(recent.json(GetParam().now), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, RecentKept,
    ::testing::Values(
        // A fast board: many frames a second, one kept, the newest.
        KeptCase{{{at(14, 0, 0), 12}, {at(14, 0, 0), 12.5}, {at(14, 0, 1), 13}},
                 at(14, 0, 1),
                 R"([["2010-05-23T14:00:00",12.5,0,40,0,0],["2010-05-23T14:00:01",13,0,40,0,0]])"},
        // An hour and no more, whether the board goes on or has gone silent.
        KeptCase{
            {{at(14, 0, 0), 12}, {at(14, 0, 1), 12.1}, {at(15, 0, 0), 12.2}},
            at(15, 0, 0),
            R"([["2010-05-23T14:00:01",12.1,0,40,0,0],["2010-05-23T15:00:00",12.2,0,40,0,0]])"},
        KeptCase{{{at(14, 0, 0), 12}, {at(14, 30, 0), 12.1}},
                 at(15, 10, 0),
                 R"([["2010-05-23T14:30:00",12.1,0,40,0,0]])"},
        // A clock set back: what now lies in the future is dropped.
        KeptCase{
            {{at(14, 0, 0), 12}, {at(14, 0, 5), 12.1}, {at(14, 0, 3), 12.2}},
            at(14, 0, 3),
            R"([["2010-05-23T14:00:00",12,0,40,0,0],["2010-05-23T14:00:03",12.2,0,40,0,0]])"}));

std::string record(const char* time, const char* volts) {
  return std::string("<T>") + time + "</T><V>" + volts +
         "</V><I>3.2</I><W>40.0</W><R>300</R><S>12</S><M></M>   1.0Wh\r\n";
}

using RecentTest = WebTest;

// After a restart the logger keeps nothing yet: today's records give the
// hour; once readings come, records stand only before the first of them.
TEST_F(RecentTest, TodaysRecordsFillTheHourBeforeTheKeptReadings) {
  std::filesystem::create_directories(folder.file("logs"));
  folder.write("logs/P_2010_05_23.txt", record("13:04", "11.00") + record("13:06", "11.10") +
                                            record("14:04", "11.20") + record("14:05", "11.30"));
  folder.write("logs/P_2010_05_22.txt", record("14:00", "10.00"));
  startLogger();
  const auto volts = [](const QJsonArray& rows, int column) {
    std::vector<double> values;
    for (const auto& row : rows) values.push_back(row.toArray()[column].toDouble());
    return values;
  };
  const QJsonObject restarted = json(get("/api/recent"));
  EXPECT_EQ(restarted["now"].toString(), "2010-05-23T14:05:33");
  EXPECT_EQ(restarted["date"].toString(), "2010-05-23");
  EXPECT_EQ(volts(restarted["records"].toArray(), 1), (std::vector<double>{11.1, 11.2, 11.3}));
  EXPECT_EQ(restarted["readings"].toArray().size(), 0);

  serial.deliver(kGoodFrame);
  serial.deliver(kGoodFrame);
  clock.set(at(14, 5, 34));
  serial.deliver(kGoodFrame);
  const QJsonObject live = json(get("/api/recent"));
  EXPECT_EQ(volts(live["records"].toArray(), 1), (std::vector<double>{11.1, 11.2}));
  const QJsonArray readings = live["readings"].toArray();
  ASSERT_EQ(readings.size(), 2);
  EXPECT_EQ(readings[0].toArray()[0].toString(), "2010-05-23T14:05:33");
  EXPECT_EQ(readings[1].toArray()[0].toString(), "2010-05-23T14:05:34");
  EXPECT_EQ(readings[1].toArray()[1].toDouble(), 12.5);
  EXPECT_EQ(readings[1].toArray()[5].toDouble(), 6.5);
}

}  // namespace
}  // namespace tamsel::test
