#include <gtest/gtest.h>

#include <memory>

#include "history/history_export.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::TempFolder;

TEST(CsvExport, NameAndTextAreByteExact) {
  EXPECT_EQ(exportFileName("P_2010_05_23.txt", {"00", "01", "23", "58"}, ".csv"),
            "P_2010_05_23_0001_2358.csv");
  auto store = std::make_unique<HistoryStore>();
  store->time[1] = 60;
  store->values[kVolts][1] = 12.5;
  store->time[2] = 23 * 3600 + 58 * 60;
  const double second[] = {0.5, -3.456, 1234.5, 350, 11.64};
  for (int s = 0; s < kSeriesCount; ++s) store->values[s][2] = second[s];
  store->time[3] = 999;  // past the shown range
  EXPECT_EQ(csvText(*store, 1, 2),
            "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n"
            "00:01,12.50,.00,.00,,.0\r\n"
            "23:58,.50,-3.46,1234.50,350,11.6\r\n");
}

TEST(Collate, OneLinePerDayCreatingTheFile) {
  TempFolder folder;
  const std::string summary = folder.file("watthours.txt");
  ASSERT_TRUE(collateDayEnergy(summary, "P_2010_05_23.txt", 123.6));
  ASSERT_TRUE(collateDayEnergy(summary, "P_2010_05_23.txt", 500));
  ASSERT_TRUE(collateDayEnergy(summary, "P_2010_05_24.txt", 123456));
  // A name inside a longer one already collected counts as collected.
  ASSERT_TRUE(collateDayEnergy(summary, "2010_05_24", 1));
  EXPECT_EQ(folder.read("watthours.txt"),
            "P_2010_05_23.txt  ,  00124\r\nP_2010_05_24.txt  ,  123456\r\n");
}

}  // namespace
}  // namespace tamsel
