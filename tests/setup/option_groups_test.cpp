#include "setup/option_groups.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(OptionGroupSelection, StoredValueSelectsTheOptionEqualAsANumber) {
  const std::vector<std::string_view> volts = {"12", "24", "48"};
  const std::vector<std::string_view> bauds = {"2400", "4800", "9600", "57600"};
  const struct {
    const std::vector<std::string_view>* values;
    const char* stored;
    std::optional<size_t> option;
  } cases[] = {
      {&volts, "12", 0},
      {&volts, " 24 ", 1},
      {&volts, "24.0", 1},
      {&volts, "36", std::nullopt},
      {&volts, "", std::nullopt},
      {&volts, "24V", std::nullopt},
      {&bauds, "57600", 3},
      {&bauds, "2.4e3", 0},
      {&bauds, "57601", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matchingOption(c.stored, *c.values), c.option) << '"' << c.stored << '"';
}

}  // namespace
}  // namespace tamsel
