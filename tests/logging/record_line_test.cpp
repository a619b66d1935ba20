#include "logging/record_line.h"

#include <gtest/gtest.h>

#include "logging/averaging.h"

namespace tamsel {
namespace {

const LocalDateTime kAt1405{2010, 5, 23, 14, 5, 33};

AveragedValues averageOf(std::initializer_list<std::array<double, 5>> frames) {
  IntervalSums sums;
  for (const auto& f : frames) EXPECT_TRUE(sums.add(f[0], f[1], f[2], f[3], f[4]));
  LastValues last;
  return averageOrRepeat(sums, last).values;
}

TEST(RecordLine, WorkedExampleIsByteExact) {
  AveragedValues v = averageOf({{12.534, 3.24, 40.6, 350.2, 11.6}});
  EXPECT_EQ(recordLine(kAt1405, v, 123.44),
            "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh");
}

TEST(RecordLine, MasksAtTheirEdges) {
  struct Case {
    double volts, watts, wattHours;
    const char* expected;
  } cases[] = {
      {0.5, 40.4, 0, "<T>09:30</T><V>.50</V><I>0.0</I><W>40.0</W><R>0</R><S>0</S><M></M>   .0Wh"},
      {12.5, 40.5, 0.5,
       "<T>09:30</T><V>12.50</V><I>0.0</I><W>41.0</W><R>0</R><S>0</S><M></M>   .5Wh"},
      {0, 12345.0, 1234567.25,
       "<T>09:30</T><V>.00</V><I>0.0</I><W>12345.0</W><R>0</R><S>0</S><M></M>   1234567.3Wh"},
  };
  for (const Case& c : cases) {
    AveragedValues v = averageOf({{c.volts, 0, c.watts, 0, 0}});
    EXPECT_EQ(recordLine({2010, 5, 23, 9, 30, 0}, v, c.wattHours), c.expected) << c.watts;
  }
}

TEST(Averaging, AFrameThatWouldMakeASumInfiniteIsRefusedAndNothingAdded) {
  constexpr double kHuge = 1.7e308;  // finite, but two of them are not
  for (int field = 0; field < 5; ++field) {
    IntervalSums sums;
    ASSERT_TRUE(sums.add(kHuge, kHuge, kHuge, kHuge, kHuge));
    const IntervalSums before = sums;
    double frame[5] = {1, 1, 1, 1, 1};
    frame[field] = kHuge;
    EXPECT_FALSE(sums.add(frame[0], frame[1], frame[2], frame[3], frame[4])) << field;
    EXPECT_TRUE(sums == before) << field;
  }
}

}  // namespace
}  // namespace tamsel
