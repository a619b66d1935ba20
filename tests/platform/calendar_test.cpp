#include "platform/calendar.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(Calendar, TextForms) {
  const LocalDateTime t{2010, 5, 3, 9, 7, 5};
  EXPECT_EQ(dateStamp(t), "2010_05_03");
  EXPECT_EQ(isoDate(calendarDate(t)), "2010-05-03");
  EXPECT_EQ(isoDateTime(t), "2010-05-03T09:07:05");
  EXPECT_EQ(hourMinute(t), "09:07");
  EXPECT_EQ(longTime(t), "09:07:05");
  EXPECT_EQ(shortDate(t), "03/05/2010");
  for (auto [minute, text] : {std::pair{0, "00:00"}, {845, "14:05"}, {1439, "23:59"}})
    EXPECT_EQ(hourMinute(minute), text);
}

}  // namespace
}  // namespace tamsel
