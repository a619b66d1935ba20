#include "setup/calibration_check.h"

#include <cmath>
#include <string_view>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

struct Rule {
  std::string Calibration::*value;
  bool divider;  // a divider may not be 0; the offset may
  const char* refusal;
};

// In the window's order, top to bottom.
const Rule kRules[] = {
    {&Calibration::VoltDivider, true,
     "Step 1. Set Voltage: the voltage divisor must be a number other than 0."},
    {&Calibration::AmpDivider, true,
     "Step 2. Set Current: the current divisor must be a number other than 0."},
    {&Calibration::VoltOffset, false,
     "Step 2. Set Current: the offset must be a number. With no current flowing, press Zero "
     "to take it again."},
    {&Calibration::RPMDivider, true,
     "Step 3. Set RPM: the pulses per revolution must be a number other than 0."},
    {&Calibration::WSDivider, true,
     "Step 4. Set Wind Speed: the pulses per wind speed unit must be a number other than 0."},
};

bool usable(std::string_view text, bool divider) {
  const std::optional<double> value = numericValue(text);
  return value && std::isfinite(*value) && !(divider && *value == 0);
}

}  // namespace

std::optional<std::string> calibrationRefusal(const Calibration& typed) {
  for (const Rule& rule : kRules) {
    if (!usable(typed.*rule.value, rule.divider)) return rule.refusal;
  }
  return std::nullopt;
}

}  // namespace tamsel
