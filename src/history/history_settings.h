#pragma once
// The six prog.cfg values the log history works with, as numbers. The
// window reads them once when it opens.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tamsel {

struct HistorySettings {
  double logDelay = 0;    // LogDelay: seconds each record stands for in the energy sum
  double scaleVolts = 0;  // SV × 70 / 48: 12 gives 17.5, 24 gives 35, 48 gives 70
  double MA = 0;          // full-scale amps
  double MR = 0;          // full-scale RPM
  std::int16_t MP = 0;    // full-scale watts
  std::string WSUnits;    // shown after wind values
};

// From the whole text of prog.cfg (empty when the file is missing). A key
// that is missing or holds no number takes the value the setup window would
// offer, so the window opens the same way without a word.
HistorySettings readHistorySettings(std::string_view programConfigText);

// The same from the prog.cfg of `programFolder`. A missing file counts as
// empty (a first run has none yet); one that is there but cannot be read
// gives the reason, so the user learns why the saved settings are not used.
Result<HistorySettings> loadHistorySettings(const std::string& programFolder);

}  // namespace tamsel
