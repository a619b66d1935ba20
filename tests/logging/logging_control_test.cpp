#include "logging/logging_control.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(LoggingInterval, ClampsAndTurnsSecondsIntoMilliseconds) {
  struct Case {
    const char* typed;
    const char* shown;
    int periodMs;
  } cases[] = {
      {"0.4", "1", 1000},         {"601", "600", 600000}, {"600", "600", 600000},
      {"1", "1", 1000},           {"2.5", "2.5", 2500},   {"60", "60", 60000},
      {"-5", "1", 1000},          {"1e9", "600", 600000}, {"1.0005", "1.0005", 1000},
      {"1.0015", "1.0015", 1002},
  };
  for (const Case& c : cases) {
    auto interval = validateInterval(c.typed);
    ASSERT_TRUE(interval) << c.typed;
    EXPECT_EQ(interval->delayText, c.shown) << c.typed;
    EXPECT_EQ(interval->periodMs, c.periodMs) << c.typed;
  }
}

TEST(LoggingInterval, TextThatIsNoNumberIsRefused) {
  for (const char* typed : {"", "abc", "1,5", "12abc", " "}) {
    EXPECT_FALSE(validateInterval(typed)) << '"' << typed << '"';
  }
}

TEST(LoggingInterval, CautionBelowTenSeconds) {
  EXPECT_TRUE(intervalNeedsCaution("9.9"));
  EXPECT_FALSE(intervalNeedsCaution("10"));
  EXPECT_TRUE(intervalNeedsCaution("abc"));  // no leading number reads 0
  EXPECT_FALSE(intervalNeedsCaution("60"));
}

}  // namespace
}  // namespace tamsel
