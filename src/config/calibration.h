#pragma once
// settings.cfg: the five scale factors that turn the board's raw counts into
// volts, amps, RPM and wind speed, kept as the text they were stored as.
#include <string>
#include <string_view>

#include "config/config_file.h"

namespace tamsel {

struct Calibration {
  std::string VoltDivider;
  std::string VoltOffset;
  std::string AmpDivider;
  std::string RPMDivider;
  std::string WSDivider;

  bool operator==(const Calibration&) const = default;
};

// The file's one key table, in file order, which is also the reading order.
const KeyTable<Calibration>& calibrationKeys();

std::string calibrationPath(const std::string& programFolder);

// Dividers of 1 and no offset: raw counts shown as they come, for a
// calibration window opened without a usable settings.cfg.
Calibration neutralCalibration();

// Strict: in file order, stopping at the first key that cannot be read.
KeysRead readCalibrationStrict(std::string_view text, Calibration& calibration);
Calibration readCalibration(std::string_view text, const Calibration& fallback);

// "Calibration Settings", two empty lines, the five key lines; nothing after
// the last line end.
std::string calibrationText(const Calibration& calibration);

}  // namespace tamsel
