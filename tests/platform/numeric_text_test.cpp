#include "platform/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tamsel {
namespace {

TEST(NumericText, AcceptsPlainDecimalsOnly) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"60", 60},  {"2.5", 2.5},  {" 12 ", 12},      {"-1", -1},    {"+3", 3}, {".5", 0.5},
      {"5.", 5},   {"1e3", 1000}, {"1.5E-2", 0.015}, {"0", 0},      {"", {}},  {" ", {}},
      {"abc", {}}, {"12abc", {}}, {"1,5", {}},       {"1.2.3", {}}, {"-", {}}, {".", {}},
      {"1e", {}},  {"COM1", {}},  {"1 2", {}},       {"\t7\t", 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(LeadingNumber, ReadsTheLeadingRunSkippingBlanks) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"512", 512}, {"1 2", 12},  {" \t\n3\n4", 34}, {"12abc", 12},  {"abc", 0},
      {"", 0},      {"-5", -5},   {"+5", 5},         {"1.5.6", 1.5}, {"2e3", 2000},
      {"2e", 2},    {"2e+", 2},   {".5", 0.5},       {"5.", 5},      {"- 3", -3},
      {"1\r2", 1},  {"0037", 37}, {"1 . 5", 1.5},    {"e5", 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::isinf(leadingNumber("1e999")));
}

}  // namespace
}  // namespace tamsel
