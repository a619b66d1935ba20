#pragma once
// The main window's view of prog.cfg and settings.cfg: every value kept as
// the text it was stored as, read key by key in a fixed order that stops at
// the first key that cannot be read (the values read so far stay).
#include <string>
#include <string_view>

#include "platform/status.h"
#include "setup/program_config.h"
#include "telemetry/reading.h"

namespace tamsel {

struct KeysRead {
  int count = 0;  // keys read, in order, before the first failure
  Status status;  // the failure, naming the key
  bool has(int index) const { return index < count; }
};

// Port, BR, MR, MP, Savehtml, SaveExcel, LogDelay, LogOn, DisplayRPM,
// DisplayWS, WSUnits, dispMessages.
inline constexpr int kLogDelayKey = 6;
// (SV and MA are the setup window's and the history's, not the main window's.)
KeysRead readProgramValues(std::string_view text, ProgramConfig& values);

// VoltDivider, VoltOffset, AmpDivider, RPMDivider, WSDivider.
KeysRead readCalibration(std::string_view text, Calibration& calibration);

}  // namespace tamsel
