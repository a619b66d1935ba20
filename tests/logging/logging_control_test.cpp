#include "logging/logging_control.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

// The interval is clamped to 1..600 s and taken to the millisecond; text that
// is no number is refused. The caution reads the leading number only.
TEST(LoggingInterval, ClampsRefusesAndCautionsBelowTenSeconds) {
  struct Case {
    const char* typed;
    const char* shown;  // nullptr: refused
    int periodMs;
    bool caution;
  } cases[] = {
      {"0.4", "1", 1000, true},         {"1", "1", 1000, true},
      {"-5", "1", 1000, true},          {"601", "600", 600000, false},
      {"600", "600", 600000, false},    {"1e9", "600", 600000, false},
      {"2.5", "2.5", 2500, true},       {"9.9", "9.9", 9900, true},
      {"10", "10", 10000, false},       {"1.0005", "1.0005", 1000, true},
      {"1.0015", "1.0015", 1002, true}, {"", nullptr, 0, true},
      {"abc", nullptr, 0, true},        {"1,5", nullptr, 0, true},
      {"12abc", nullptr, 0, false},     {" ", nullptr, 0, true},
  };
  for (const Case& c : cases) {
    const auto interval = validateInterval(c.typed);
    EXPECT_EQ(intervalNeedsCaution(c.typed), c.caution) << '"' << c.typed << '"';
    if (!c.shown) {
      EXPECT_FALSE(interval) << '"' << c.typed << '"';
      continue;
    }
    ASSERT_TRUE(interval) << c.typed;
    EXPECT_EQ(interval->delayText, c.shown) << c.typed;
    EXPECT_EQ(interval->periodMs, c.periodMs) << c.typed;
  }
}

}  // namespace
}  // namespace tamsel
