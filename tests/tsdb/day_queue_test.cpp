// Day files in, protocol lines out: the line format with its escaping, the
// one timestamp rule (several records in a minute, the hour the clocks go
// back) and where sending stands after a batch (a torn last line, a later day).
#include "tsdb/day_queue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

std::string record(const char* hhmm, const char* volts = "12.53", const char* amps = "3.2") {
  return std::string("<T>") + hhmm + "</T><V>" + volts + "</V><I>" + amps +
         "</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh\r\n";
}

std::string sent(const char* site, const char* volts, const char* amps, long long at) {
  return std::string("tamsel,site=") + site + " volts=" + volts + ",amps=" + amps +
         ",watts=41.0,rpm=350,wind=12,wh=123.4 " + std::to_string(at) + "\n";
}

struct DayFile {
  const char* name;
  std::string text;
};

struct Case {
  const char* what;
  std::vector<DayFile> files;
  int logDelay;
  SendPosition from;
  long long most;
  std::string body;
  SendPosition end;
  const char* site = "shed";
};

constexpr CalendarDate kJune{2024, 6, 1};
constexpr CalendarDate kJune2{2024, 6, 2};
constexpr CalendarDate kFallBack{2024, 10, 27};
constexpr long long k1405 = 1717247100;  // 2024-06-01 14:05 summer time

TEST(DayQueue, RecordsBecomeProtocolLinesStampedByTheOneRule) {
  // The rule is local time: a zone with summer time, whatever the machine's.
  ::setenv("TZ", "Europe/London", 1);
  ::tzset();
  const std::string x = record("14:05");
  const Case cases[] = {
      {"several records in one minute, k x LogDelay after it",
       {{"P_2024_06_01.txt", x + x + record("14:06") + x}},
       20,
       {kJune, 0},
       10,
       sent("shed", "12.53", "3.2", k1405) + sent("shed", "12.53", "3.2", k1405 + 20) +
           sent("shed", "12.53", "3.2", k1405 + 60) + sent("shed", "12.53", "3.2", k1405),
       {kJune, 4}},
      {"at most 59 s into the minute",
       {{"P_2024_06_01.txt", x + x + x}},
       30,
       {kJune, 0},
       10,
       sent("shed", "12.53", "3.2", k1405) + sent("shed", "12.53", "3.2", k1405 + 30) +
           sent("shed", "12.53", "3.2", k1405 + 59),
       {kJune, 3}},
      {"records before the start still count in their minute",
       {{"P_2024_06_01.txt", x + x + x}},
       10,
       {kJune, 2},
       10,
       sent("shed", "12.53", "3.2", k1405 + 20),
       {kJune, 3}},
      {"the site tag escaped, the numbers as the file holds them",
       {{"P_2024_06_01.txt", record("14:05", "1.53", "-3.20")}},
       60,
       {kJune, 0},
       10,
       sent("north\\ mast\\,a\\=b\\\\", "1.53", "-3.20", k1405),
       {kJune, 1},
       "north mast,a=b\\"},
      {"the repeated hour: summer offset until time runs back, winter after",
       {{"P_2024_10_27.txt", record("00:59") + record("01:30") + record("01:59") + record("01:00") +
                                 record("01:30") + record("02:00")}},
       60,
       {kFallBack, 0},
       10,
       sent("shed", "12.53", "3.2", 1729987140) + sent("shed", "12.53", "3.2", 1729989000) +
           sent("shed", "12.53", "3.2", 1729990740) + sent("shed", "12.53", "3.2", 1729990800) +
           sent("shed", "12.53", "3.2", 1729992600) + sent("shed", "12.53", "3.2", 1729994400),
       {kFallBack, 6}},
      {"a torn last line waits for its end",
       {{"P_2024_06_01.txt", x + "<T>14:06</T><V>12"}},
       60,
       {kJune, 0},
       10,
       sent("shed", "12.53", "3.2", k1405),
       {kJune, 1}},
      {"a torn last line is passed over once a later day began",
       {{"P_2024_06_01.txt", x + "<T>14:06</T><V>12"}, {"P_2024_06_02.txt", record("00:00")}},
       60,
       {kJune, 0},
       10,
       sent("shed", "12.53", "3.2", k1405) + sent("shed", "12.53", "3.2", 1717282800),
       {kJune2, 1}},
      {"a numeral below 1 gets its 0 before the point",
       {{"P_2024_06_01.txt", record("14:05", ".53", "-.2")}},
       60,
       {kJune, 0},
       10,
       sent("shed", "0.53", "-0.2", k1405),
       {kJune, 1}},
      {"lines that are no records are passed over, not sent",
       {{"P_2024_06_01.txt", "\r\n" + record("14:05", "nan") + "<T>25:00</T>\r\n" + x}},
       60,
       {kJune, 0},
       10,
       sent("shed", "12.53", "3.2", k1405),
       {kJune, 4}},
      {"a batch stops at its size, within a day",
       {{"P_2024_06_01.txt", x + record("14:06")}},
       60,
       {kJune, 0},
       1,
       sent("shed", "12.53", "3.2", k1405),
       {kJune, 1}},
      {"a day wholly sent moves the position to the next",
       {{"P_2024_06_01.txt", x}, {"P_2024_06_02.txt", ""}},
       60,
       {kJune, 0},
       1,
       sent("shed", "12.53", "3.2", k1405),
       {kJune2, 0}},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    for (const DayFile& f : c.files) folder.write(f.name, f.text);
    const DayQueue queue(folder.path(), c.site);
    const Batch batch = queue.next(c.from, c.logDelay, c.most);
    EXPECT_EQ(batch.body, c.body) << c.what;
    EXPECT_EQ(batch.end, c.end) << c.what << ": ended at line " << batch.end.line;
    EXPECT_EQ(batch.problem, "") << c.what;
  }
}

TEST(DayQueue, TheStateFileHoldsTheDayFileAndLineAndRefusesAnythingElse) {
  const SendPosition at{{2024, 10, 27}, 123};
  EXPECT_EQ(sendStateText(at), "<DayFile>P_2024_10_27.txt</DayFile>\r\n<Line>123</Line>\r\n");
  EXPECT_EQ(readSendState(sendStateText(at)), at);
  EXPECT_EQ(readSendState("<DayFile>P_2024_02_30.txt</DayFile><Line>1</Line>"), std::nullopt);
  EXPECT_EQ(readSendState("<DayFile>P_2024_02_03.txt</DayFile><Line>-1</Line>"), std::nullopt);
  EXPECT_EQ(readSendState(""), std::nullopt);
}

}  // namespace
}  // namespace tamsel
