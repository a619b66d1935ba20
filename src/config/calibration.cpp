#include "config/calibration.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"Calibration Settings", 2, 0};

}  // namespace

const KeyTable<Calibration>& calibrationKeys() {
  using C = Calibration;
  static const KeyTable<C> keys = {{"VoltDivider", &C::VoltDivider},
                                   {"VoltOffset", &C::VoltOffset},
                                   {"AmpDivider", &C::AmpDivider},
                                   {"RPMDivider", &C::RPMDivider},
                                   {"WSDivider", &C::WSDivider}};
  return keys;
}

std::string calibrationPath(const std::string& programFolder) {
  return programFolder + "/settings.cfg";
}

Calibration neutralCalibration() {
  return {"1", "0", "1", "1", "1"};
}

KeysRead readCalibrationStrict(std::string_view text, Calibration& calibration) {
  return readKeysStrict(text, calibrationKeys(), calibration);
}

Calibration readCalibration(std::string_view text, const Calibration& fallback) {
  return readKeysLenient(text, calibrationKeys(), fallback);
}

std::string calibrationText(const Calibration& calibration) {
  return configText(kLayout, calibrationKeys(), calibration);
}

}  // namespace tamsel
