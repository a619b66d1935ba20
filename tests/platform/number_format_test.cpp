#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamsel {
namespace {

struct MaskCase {
  double value;
  const char* mask;
  const char* expected;
  friend void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.value << " " << c.mask; }
};

class NumberMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(NumberMask, FormatsAsUsersReadIt) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " under " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberMask,
    ::testing::Values(
        // No leading digit under "#" places; always one under "0".
        MaskCase{0.5, "##.00", ".50"}, MaskCase{0.5, "#0.00", "0.50"},
        MaskCase{0, "######.0", ".0"}, MaskCase{0.5, "######.0", ".5"},
        MaskCase{0, "#####.0", ".0"}, MaskCase{0, "##0.00", "0.00"},
        MaskCase{12.534, "##.00", "12.53"}, MaskCase{12.526666, "##0.00", "12.53"},
        // Halves away from zero, on the decimal form the user sees.
        MaskCase{2.675, "0.00", "2.68"}, MaskCase{1.005, "##0.00", "1.01"},
        MaskCase{40.5, "####0", "41"}, MaskCase{40.4, "####0", "40"}, MaskCase{41, "##0.0", "41.0"},
        MaskCase{0.25, "#0.0", "0.3"}, MaskCase{-0.25, "#0.0", "-0.3"},
        MaskCase{-2.5, "###0", "-3"}, MaskCase{1.25, "##0.0", "1.3"},
        MaskCase{0.46, "#0.00", "0.46"}, MaskCase{9.95, "#0.0", "10.0"},
        MaskCase{99.95, "##0.0", "100.0"}, MaskCase{999.5, "##0", "1000"},
        MaskCase{0.05, "#.0", ".1"}, MaskCase{0.049, "#.0", ".0"},
        MaskCase{0.004, "##0.00", "0.00"},
        // The integer part is never cut.
        MaskCase{12345.67, "##0.0", "12345.7"}, MaskCase{123456789, "#0", "123456789"},
        MaskCase{123.44, "######.0", "123.4"}, MaskCase{1234.56, "#####.0", "1234.6"},
        // A value that rounds to zero is not negative.
        MaskCase{-0.001, "##0.00", "0.00"}, MaskCase{-0.4, "###0", "0"},
        MaskCase{350.2, "###0", "350"}, MaskCase{11.6, "##0", "12"},
        MaskCase{1e20, "#0", "100000000000000000000"}, MaskCase{NAN, "##0.00", "0.00"}));

struct RoundCase {
  double value;
  int decimals;
  Rounding rounding;
  double expected;
  friend void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.value << " " << c.decimals; }
};

class DecimalRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(DecimalRounding, RoundsOnTheDecimalForm) {
  const RoundCase& c = GetParam();
  EXPECT_DOUBLE_EQ(roundDecimal(c.value, c.decimals, c.rounding), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalRounding,
                         ::testing::Values(RoundCase{0.125, 2, Rounding::HalfToEven, 0.12},
                                           RoundCase{0.135, 2, Rounding::HalfToEven, 0.14},
                                           RoundCase{0.125, 2, Rounding::HalfAwayFromZero, 0.13},
                                           RoundCase{2.5, 0, Rounding::HalfToEven, 2},
                                           RoundCase{3.5, 0, Rounding::HalfToEven, 4},
                                           RoundCase{-2.5, 0, Rounding::HalfToEven, -2},
                                           RoundCase{-2.5, 0, Rounding::HalfAwayFromZero, -3},
                                           RoundCase{0.5, 0, Rounding::HalfToEven, 0},
                                           RoundCase{2500.0000001, 0, Rounding::HalfToEven, 2500},
                                           RoundCase{100.0 / 3600, 2, Rounding::HalfToEven, 0.03},
                                           RoundCase{360.0 / 3600 * 60, 2, Rounding::HalfToEven, 6},
                                           RoundCase{0.4 * 1000, 0, Rounding::HalfToEven, 400}));

TEST(PlainNumberText, ShortestTextWithoutTrailingZeros) {
  EXPECT_EQ(plainNumberText(12), "12");
  EXPECT_EQ(plainNumberText(0.5), "0.5");
  EXPECT_EQ(plainNumberText(123.456789), "123.456789");
  EXPECT_EQ(plainNumberText(0), "0");
  EXPECT_EQ(plainNumberText(-3.25), "-3.25");
  EXPECT_EQ(plainNumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(plainNumberText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(plainNumberText(1500), "1500");
  EXPECT_EQ(plainNumberText(0.0001), "0.0001");
  EXPECT_EQ(plainNumberText(1e16), "1E+16");
  EXPECT_EQ(plainNumberText(1.5e-5), "1.5E-05");
}

}  // namespace
}  // namespace tamsel
