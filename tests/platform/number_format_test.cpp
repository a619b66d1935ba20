#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamsel {
namespace {

// No leading digit under "#" places, always one under "0"; halves away from
// zero, on the decimal form the user sees; the integer part is never cut; a
// value that rounds to zero is not negative.
TEST(NumberMask, FormatsAsUsersReadIt) {
  const struct {
    double value;
    const char* mask;
    const char* expected;
  } cases[] = {
      {0.5, "##.00", ".50"},         {0.5, "#0.00", "0.50"},
      {0, "######.0", ".0"},         {0, "##0.00", "0.00"},
      {12.534, "##.00", "12.53"},    {12.526666, "##0.00", "12.53"},
      {2.675, "0.00", "2.68"},       {40.5, "####0", "41"},
      {40.4, "####0", "40"},         {41, "##0.0", "41.0"},
      {0.25, "#0.0", "0.3"},         {-0.25, "#0.0", "-0.3"},
      {9.95, "#0.0", "10.0"},        {999.5, "##0", "1000"},
      {0.05, "#.0", ".1"},           {0.049, "#.0", ".0"},
      {0.004, "##0.00", "0.00"},     {12345.67, "##0.0", "12345.7"},
      {123.44, "######.0", "123.4"}, {1e20, "#0", "100000000000000000000"},
      {-0.001, "##0.00", "0.00"},    {-0.4, "###0", "0"},
      {NAN, "##0.00", "0.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " under " << c.mask;
}

TEST(PlainNumberText, ShortestTextWithoutTrailingZeros) {
  EXPECT_EQ(plainNumberText(123.456789), "123.456789");
  EXPECT_EQ(plainNumberText(-3.25), "-3.25");
  EXPECT_EQ(plainNumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(plainNumberText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(plainNumberText(0.0001), "0.0001");
  EXPECT_EQ(plainNumberText(1e16), "1E+16");
  EXPECT_EQ(plainNumberText(1.5e-5), "1.5E-05");
}

}  // namespace
}  // namespace tamsel
