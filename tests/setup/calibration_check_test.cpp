#include "setup/calibration_check.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const Calibration kUsable{"40", "100", "13.7", "14", "2"};

// Each box's refusal once, each with another rule: no number, 0 as a divider, no finite number.
TEST(CalibrationCheck, RefusesABoxThatIsNoFiniteNumberOrADividerOf0NamingTheBox) {
  const struct {
    std::string Calibration::*box;
    const char* typed;
    const char* refusal;  // nullptr: usable
  } cases[] = {
      {&Calibration::VoltDivider, "abc",
       "Step 1. Set Voltage: the voltage divisor must be a number other than 0."},
      {&Calibration::AmpDivider, "0",
       "Step 2. Set Current: the current divisor must be a number other than 0."},
      {&Calibration::VoltOffset, "1e999",
       "Step 2. Set Current: the offset must be a number. With no current flowing, press Zero to "
       "take it again."},
      {&Calibration::RPMDivider, "",
       "Step 3. Set RPM: the pulses per revolution must be a number other than 0."},
      {&Calibration::WSDivider, "nan",
       "Step 4. Set Wind Speed: the pulses per wind speed unit must be a number other than 0."},
      {&Calibration::VoltOffset, "0", nullptr},
      {&Calibration::WSDivider, " -2.5 ", nullptr},
  };
  EXPECT_EQ(calibrationRefusal(kUsable), std::nullopt);
  for (const auto& c : cases) {
    Calibration typed = kUsable;
    typed.*c.box = c.typed;
    EXPECT_EQ(calibrationRefusal(typed),
              c.refusal ? std::optional<std::string>(c.refusal) : std::nullopt)
        << '"' << c.typed << '"';
  }
}

}  // namespace
}  // namespace tamsel
