#pragma once
// What the performance window analyses with: three of prog.cfg's values and
// the whole of turbine.cfg, read from the program folder each time the
// window analyses, so a change saved meanwhile counts at once.
#include <string>

#include "analysis/performance.h"
#include "platform/status.h"

namespace tamsel {

// A missing prog.cfg or key takes the setup window's default, a missing
// turbine.cfg or key its own default; a file that is there but cannot be read
// gives the reason naming it, so no figure is worked out from settings the
// owner did not make.
Result<AnalysisSetup> loadAnalysisSetup(const std::string& programFolder);

}  // namespace tamsel
