#include <gtest/gtest.h>

#include <memory>

#include "history/history_settings.h"
#include "history/history_store.h"
#include "history_records.h"

namespace tamsel {
namespace {

using test::record;

constexpr TimeRange kWholeDay{0, 23 * 3600 + 59 * 60};

TEST(Loader, StoresOnlyWholeRecordsWithinTheRangeItsEndsIncluded) {
  const struct {
    const char* why;
    std::string text;
    int count;
    double volts1 = 12.5;  // slot 1 after the load
    double rpm1 = 200;
    TimeRange range = kWholeDay;
  } cases[] = {
      {"the whole day keeps its first and last minute",
       record("00:00") + record("00:01") + record("23:58") + record("23:59"), 4},
      {"a range keeps its ends and nothing past them",
       record("08:59") + record("09:00") + record("12:00") + record("12:01"),
       2,
       12.5,
       200,
       {9 * 3600, 12 * 3600}},
      {"empty lines and other text skipped", "\r\n\r\nWatt hours 12\r\n" + record("10:00") + "\r\n",
       1},
      {"rpm above 500 becomes 0", record("10:00", {.rpm = "501"}), 1, 12.5, 0},
      {"rpm 500 stays", record("10:00", {.rpm = "500"}), 1, 12.5, 500},
      {"letters in volts read 0", record("10:00", {.volts = "1x.5"}), 1, 0},
      {"a missing volts tag reads 0",
       "<T>10:00</T><I>1.0</I><W>5.0</W><R>200</R><S>3</S><M></M>   1.0Wh\r\n", 1, 0},
      {"bad times skipped", record("24:00") + record("10:7") + record("ab:cd"), 0},
      {"torn last line skipped", record("10:00") + "<T>10:01</T><V>13.1", 1},
      {"torn line within the file skipped", "<T>09:59</T><V>9</V><I>1\r\n" + record("10:00"), 1},
      {"no line end after a whole last record", record("10:00").substr(0, 80), 1},
      {"LF line ends, as from another system",
       "\n" + record("10:00").substr(0, 80) + "\n" + record("10:01").substr(0, 80) + "\n", 2},
  };
  for (const auto& c : cases) {
    auto store = std::make_unique<HistoryStore>();
    const LoadOutcome outcome = loadHistory(c.text, c.range, *store);
    EXPECT_EQ(outcome.recordCount, c.count) << c.why;
    EXPECT_FALSE(outcome.tooMany) << c.why;
    if (c.count > 0) {
      EXPECT_EQ(store->values[kVolts][1], c.volts1) << c.why;
      EXPECT_EQ(store->values[kRpm][1], c.rpm1) << c.why;
    }
  }
}

TEST(LoaderLimit, TenThousandInRangeStopsWithTheMessageNineThousandNineHundredNinetyNineLoad) {
  const auto withSeconds = test::eightSecondRecords;
  auto store = std::make_unique<HistoryStore>();
  store->values[kVolts][kMostRecords + 1] = -1;  // must survive an overflowing load
  LoadOutcome outcome = loadHistory(withSeconds(10000), kWholeDay, *store);
  EXPECT_TRUE(outcome.tooMany);
  EXPECT_EQ(outcome.recordCount, 10000);
  EXPECT_EQ(store->values[kVolts][kMostRecords + 1], -1);

  outcome = loadHistory(withSeconds(9999), kWholeDay, *store);
  EXPECT_FALSE(outcome.tooMany);
  EXPECT_EQ(outcome.recordCount, 9999);
  EXPECT_EQ(store->time[9999], 9999 * 8);
}

TEST(TimeOfDay, ReadsRecordStampsAndRefusesTheRest) {
  EXPECT_EQ(parseTimeOfDay("23:59:30"), 23 * 3600 + 59 * 60 + 30);
  for (const char* bad : {"", "14", "14:5", "24:00", "12:60", "-1:00", "1a:00", "12:00:7"})
    EXPECT_EQ(parseTimeOfDay(bad), std::nullopt) << bad;
}

// Missing keys, a key with no number and a watts scale beyond 16 bits take
// the setup window's values.
TEST(HistorySettingsFromConfig, KeysThatCannotBeUsedTakeTheSetupDefaults) {
  const HistorySettings read =
      readHistorySettings("<SV>12</SV><MA>abc</MA><MP>40000</MP><WSUnits>km/h</WSUnits>");
  EXPECT_EQ(read.logDelay, 60);
  EXPECT_EQ(read.scaleVolts, 17.5);
  EXPECT_EQ(read.MA, 20);
  EXPECT_EQ(read.MR, 400);
  EXPECT_EQ(read.MP, 1000);
  EXPECT_EQ(read.WSUnits, "km/h");
  EXPECT_EQ(readHistorySettings("").scaleVolts, 35);  // SV 24
}

}  // namespace
}  // namespace tamsel
