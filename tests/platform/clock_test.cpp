#include "platform/clock.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(ClockText, FieldsArePaddedToTheirWidths) {
  const LocalDateTime t{2010, 3, 7, 9, 5, 3};
  EXPECT_EQ(dateStamp(t), "2010_03_07");
  EXPECT_EQ(hourMinute(t), "09:05");
  EXPECT_EQ(longTime(t), "09:05:03");
  EXPECT_EQ(shortDate(t), "07/03/2010");
  EXPECT_EQ(minutesSinceEpoch({1970, 1, 2, 0, 1, 59}), 1441);
}

}  // namespace
}  // namespace tamsel
