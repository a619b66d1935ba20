#include "setup/calibration_check.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const Calibration kUsable{"40", "100", "13.7", "14", "2"};

TEST(CalibrationCheck, RefusesABoxThatIsNoFiniteNumberOrADividerOf0NamingTheBox) {
  const struct {
    std::string Calibration::*box;
    const char* refusal;
  } boxes[] = {
      {&Calibration::VoltDivider,
       "Step 1. Set Voltage: the voltage divisor must be a number other than 0."},
      {&Calibration::AmpDivider,
       "Step 2. Set Current: the current divisor must be a number other than 0."},
      {&Calibration::VoltOffset,
       "Step 2. Set Current: the offset must be a number. With no current flowing, press Zero to "
       "take it again."},
      {&Calibration::RPMDivider,
       "Step 3. Set RPM: the pulses per revolution must be a number other than 0."},
      {&Calibration::WSDivider,
       "Step 4. Set Wind Speed: the pulses per wind speed unit must be a number other than 0."},
  };
  const struct {
    const char* typed;
    bool usableDivider;
    bool usableOffset;
  } values[] = {
      {"abc", false, false},   {"", false, false},    {"0", false, true},
      {"1e999", false, false}, {"nan", false, false}, {" -2.5 ", true, true},
  };
  EXPECT_EQ(calibrationRefusal(kUsable), std::nullopt);
  for (const auto& box : boxes) {
    for (const auto& value : values) {
      Calibration typed = kUsable;
      typed.*box.box = value.typed;
      const bool usable =
          box.box == &Calibration::VoltOffset ? value.usableOffset : value.usableDivider;
      EXPECT_EQ(calibrationRefusal(typed),
                usable ? std::nullopt : std::optional<std::string>(box.refusal))
          << box.refusal << " / \"" << value.typed << '"';
    }
  }
}

}  // namespace
}  // namespace tamsel
