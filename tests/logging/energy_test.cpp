#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "logging/energy_counter.h"
#include "logging/energy_recount.h"
#include "logging/record_fields.h"
#include "support/fake_clock.h"

namespace tamsel {
namespace {

std::string record(const char* watts) {
  return std::string("<T>10:00</T><V>12.50</V><I>3.0</I><W>") + watts +
         "</W><R>300</R><S>5</S><M></M>   12.0Wh\r\n";
}

TEST(EnergyRecount, AddsEachRecordRoundedToTwoDecimals) {
  const std::string log = record("360.0") + record("720.0") + record("0.0");
  EXPECT_DOUBLE_EQ(recountWattHours(log, 60), 18.0);
  // What follows the watts does not matter: a blank after "Wh" still counts.
  std::string trailingBlank = record("720.0");
  trailingBlank.insert(trailingBlank.size() - 2, " ");
  EXPECT_DOUBLE_EQ(recountWattHours(record("360.0") + trailingBlank + record("0.0"), 60), 18.0);
  EXPECT_DOUBLE_EQ(recountWattHours(record("360.0") + record("360.0") + record("360.0"), 10), 3.0);
  EXPECT_DOUBLE_EQ(recountWattHours(record("100.0"), 1), 0.03);  // 0.02777...
  // 90 W for 1 s is 0.025 Wh: ties go to the even digit.
  EXPECT_DOUBLE_EQ(recountWattHours(record("90.0"), 1), 0.02);
  EXPECT_DOUBLE_EQ(recountWattHours(record("126.0"), 1), 0.04);  // 0.035
}

TEST(EnergyRecount, SkipsLinesWithoutFiniteWatts) {
  const std::string log = "\r\n" + record("360.0") +
                          "<T>10:01</T><V>12.50</V><I>3.0</I><R>300</R>   12.0Wh\r\n"  // no watts
                          + "</W>360.0<W>   12.0Wh\r\n"                                // wrong way
                          + "<W>abc</W>   12.0Wh\r\n"                                  // no number
                          + "<W>1e999</W>   12.0Wh\r\n"                                // overflow
                          + "<T>10:02</T><V>12.50</V><I>3.0</I><W>36\r\n"  // torn by a power cut
                          + record("360.0") + "<T>10:03</T><V>12.5";       // torn last piece
  EXPECT_DOUBLE_EQ(recountWattHours(log, 60), 12.0);
  EXPECT_EQ(recountWattHours("", 60), 0.0);
  // Each finite, but together more than a double holds: the total stays finite.
  EXPECT_TRUE(std::isfinite(recountWattHours(record("1.7e308") + record("1.7e308"), 3600)));
}

TEST(RecordFields, FieldsAreFoundByTheirFirstTags) {
  const std::string_view line =
      "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh";
  EXPECT_EQ(recordField(line, RecordField::Time), "14:05");
  EXPECT_EQ(recordField(line, RecordField::Volts), "12.53");
  EXPECT_EQ(recordField(line, RecordField::Amps), "3.2");
  EXPECT_EQ(recordField(line, RecordField::Watts), "41.0");
  EXPECT_EQ(recordField(line, RecordField::Rpm), "350");
  EXPECT_EQ(recordField(line, RecordField::WindSpeed), "12");
  EXPECT_FALSE(recordField("12.0</W>   1.0Wh", RecordField::Watts));
}

// Copied or hand-edited day files may end their lines in LF alone; only the
// CR of a CR LF pair is dropped, so a torn line's lone CR stays visible.
TEST(RecordFields, LinesSplitAtLineFeedWithOrWithoutCarriageReturn) {
  std::vector<std::string_view> lines;
  forEachLine("a\r\nb\nc\r\r\nd\r\n", [&](std::string_view l) { lines.push_back(l); });
  EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c\r", "d", ""}));
}

TEST(EnergyCounter, AddsTheWattsOverSevenHundredTwentyEachTick) {
  test::FakeClock clock({2010, 5, 23, 12, 0, 0});
  EnergyCounter energy(clock.now());
  energy.setWattHours(18);
  for (int tick = 0; tick < 720; ++tick) {
    EXPECT_FALSE(energy.tick(clock.now(), 720));
    clock.advanceSeconds(5);
  }
  EXPECT_NEAR(energy.wattHours(), 18 + 720, 1e-9);
}

TEST(EnergyCounter, TheTotalStaysFiniteUnderAnAbsurdReading) {
  test::FakeClock clock({2010, 5, 23, 12, 0, 0});
  EnergyCounter energy(clock.now());
  constexpr double kMost = std::numeric_limits<double>::max();
  energy.setWattHours(kMost);
  EXPECT_FALSE(energy.tick(clock.now(), kMost));
  EXPECT_EQ(energy.wattHours(), kMost);
}

TEST(EnergyCounter, TheFirstTickOfANewDateWritesOneLineAndRestarts) {
  test::FakeClock clock({2010, 5, 23, 23, 59, 50});
  EnergyCounter energy(clock.now());
  energy.setWattHours(1234.56);
  std::vector<std::string> lines;
  for (int tick = 0; tick < 10; ++tick) {
    if (auto line = energy.tick(clock.now(), 72)) lines.push_back(*line);
    clock.advanceSeconds(5);
  }
  // Ticks at 23:59:50 and :55 add 0.2; the tick at 00:00:00 closes the day.
  EXPECT_EQ(lines, std::vector<std::string>{"2010_05_24,00:00  1234.8 Wh"});
  EXPECT_NEAR(energy.wattHours(), 8 * 0.1, 1e-9);
}

TEST(EnergyCounter, ALateFirstTickStillClosesTheDay) {
  EnergyCounter energy({2010, 5, 23, 23, 59, 55});
  auto line = energy.tick({2010, 5, 24, 0, 1, 7}, 0);
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "2010_05_24,00:01  .0 Wh");
}

TEST(EnergyCounter, DaylightSavingEndingAtMidnightClosesTheDateOnce) {
  EnergyCounter energy({2010, 10, 30, 23, 59, 58});
  energy.setWattHours(50);
  EXPECT_TRUE(energy.tick({2010, 10, 31, 0, 0, 3}, 0));
  // The clock goes back an hour, to the previous date, and on again.
  EXPECT_FALSE(energy.tick({2010, 10, 30, 23, 0, 8}, 720));
  EXPECT_FALSE(energy.tick({2010, 10, 31, 0, 0, 3}, 720));
  EXPECT_EQ(energy.wattHours(), 2);
}

TEST(EnergyCounter, AClockCorrectedBackwardsClosesTheComingMidnight) {
  // Set days ahead by mistake: that jump closes the day once...
  EnergyCounter energy({2010, 5, 23, 10, 0, 0});
  EXPECT_TRUE(energy.tick({2010, 5, 27, 10, 0, 0}, 0));
  // ...the correction is believed, so the real midnight still closes the day.
  EXPECT_FALSE(energy.tick({2010, 5, 23, 10, 0, 5}, 720));
  EXPECT_FALSE(energy.tick({2010, 5, 23, 23, 59, 55}, 720));
  auto line = energy.tick({2010, 5, 24, 0, 0, 0}, 0);
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "2010_05_24,00:00  2.0 Wh");
}

TEST(EnergyCounter, AJumpOfSeveralDaysWritesOneLine) {
  EnergyCounter energy({2010, 12, 30, 22, 0, 0});
  energy.setWattHours(7);
  auto line = energy.tick({2011, 1, 2, 8, 30, 0}, 0);
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "2011_01_02,08:30  7.0 Wh");
  EXPECT_FALSE(energy.tick({2011, 1, 2, 8, 30, 5}, 0));
}

TEST(WattHoursLines, LeavingAndMidnightFormsAreByteExact) {
  EXPECT_EQ(leavingLine({2010, 5, 23, 17, 42, 9}, 1234.56), "2010_05_23 17:42  1234.6 Wh");
  EXPECT_EQ(leavingLine({2010, 5, 23, 17, 42, 9}, 0), "2010_05_23 17:42  .0 Wh");
  EXPECT_EQ(midnightLine({2010, 5, 24, 0, 0, 3}, 0.04), "2010_05_24,00:00  .0 Wh");
}

}  // namespace
}  // namespace tamsel
