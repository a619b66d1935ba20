// The checks the end-to-end tests lean on must themselves tell right from wrong.
#include "e2e/record_check.h"

#include <gtest/gtest.h>

namespace tamsel::e2e {
namespace {

TEST(RecordCheck, ReadsARecordLineAndRefusesNearMisses) {
  const auto record = parseRecord(
      "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh");
  ASSERT_TRUE(record);
  EXPECT_DOUBLE_EQ(record->volts, 12.53);
  EXPECT_DOUBLE_EQ(record->amps, 3.2);
  EXPECT_DOUBLE_EQ(record->watts, 41);
  EXPECT_DOUBLE_EQ(record->wattHours, 123.4);
  EXPECT_TRUE(
      parseRecord("<T>00:00</T><V>.50</V><I>0.0</I><W>0.0</W><R>0</R><S>0</S><M></M>   .0Wh"));
  for (const char* wrong : {
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>  123.4Wh",
           "<T>14:05</T><V>12.5</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh",
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.5</W><R>350</R><S>12</S><M></M>   123.4Wh",
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4 Wh",
       }) {
    EXPECT_FALSE(parseRecord(wrong)) << wrong;
  }
}

TEST(RecordCheck, RecordMustBeTheAverageOfSomeRunOfFrames) {
  // Volts 12.525 show as 12.53 (half away from zero), 12.55 as 12.55.
  const std::vector<ProgramRun::SentFrame> frames = {
      {"a", 12.525, 3.0, 0, false}, {"b", 12.55, 3.2, 0, false}, {"c", 12.6, 5.0, 0, false}};
  auto record = [](double v, double a, double w) { return RecordValues{v, a, w, 0}; };
  // (12.53 + 12.55) / 2 = 12.54; (3.0 + 3.2) / 2 = 3.1; (37.6 + 40.2) / 2 = 38.9 -> 39.
  EXPECT_TRUE(averagesSomeRunOf(record(12.54, 3.1, 39), frames));
  EXPECT_TRUE(averagesSomeRunOf(record(12.6, 5.0, 63), frames));
  EXPECT_FALSE(averagesSomeRunOf(record(12.55, 3.1, 39), frames)) << "volts off by 0.01";
  EXPECT_FALSE(averagesSomeRunOf(record(12.54, 3.3, 39), frames)) << "amps off";
  EXPECT_FALSE(averagesSomeRunOf(record(12.54, 3.1, 41), frames)) << "watts off";
  EXPECT_FALSE(averagesSomeRunOf(record(12.53, 3.0, 38), frames, 0));
}

}  // namespace
}  // namespace tamsel::e2e
