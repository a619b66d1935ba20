#include "logging/day_file_name.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(DayFileName, MadeFromTheDate) {
  EXPECT_EQ(dayFileName(CalendarDate{2010, 5, 23}), "P_2010_05_23.txt");
  EXPECT_EQ(dayFileName(LocalDateTime{987, 12, 1, 23, 59, 59}), "P_0987_12_01.txt");
}

TEST(DayFileName, RecognisedAndReadBack) {
  struct Case {
    const char* name;
    bool dayForm;
    std::optional<CalendarDate> date;
  };
  const Case cases[] = {
      {"P_2010_05_23.txt", true, CalendarDate{2010, 5, 23}},
      {"P_2012_02_29.txt", true, CalendarDate{2012, 2, 29}},
      {"P_2011_02_29.txt", true, std::nullopt},  // no such day
      {"P_2010_13_01.txt", true, std::nullopt},
      {"P_0000_01_01.txt", true, std::nullopt},
      {"watthours.txt", false, std::nullopt},
      {"Whours.txt", false, std::nullopt},
      {"p_2010_05_23.txt", false, std::nullopt},
      {"P_2010_05_23.TXT", false, std::nullopt},
      {"P_2010-05-23.txt", false, std::nullopt},
      {"P_201a_05_23.txt", false, std::nullopt},
      {"P_2010_05_23.txt.bak", false, std::nullopt},
      {"P_2010_5_23.txt", false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isDayFileName(c.name), c.dayForm) << c.name;
    EXPECT_EQ(dateOfDayFileName(c.name), c.date) << c.name;
  }
}

}  // namespace
}  // namespace tamsel
