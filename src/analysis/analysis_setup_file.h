#pragma once
// What the analysis needs from the program folder: turbine.cfg's texts and
// prog.cfg's LogDelay, WSUnits and SV, read the way the windows read them.
#include <string>

#include "analysis/performance.h"
#include "platform/status.h"

namespace tamsel {

// A missing turbine.cfg gives every key its default, a missing prog.cfg the
// setup window's defaults; a file that is there and cannot be read is the
// failure, naming it.
Result<AnalysisSetup> loadAnalysisSetup(const std::string& programFolder);

}  // namespace tamsel
