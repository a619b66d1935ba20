#include "analysis/analysis_setup_file.h"

#include "config/program_config.h"
#include "history/day_file.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

// The file's text; empty when there is no file.
Result<std::string> textOrNothing(const std::string& path, std::string_view name) {
  if (isMissing(path)) return std::string();
  Result<std::string> text = readWholeFile(path);
  if (!text) return Status::failure(cannotReadMessage(name, text.error()));
  return text;
}

}  // namespace

Result<AnalysisSetup> loadAnalysisSetup(const std::string& programFolder) {
  const Result<std::string> program = textOrNothing(programConfigPath(programFolder), "prog.cfg");
  if (!program) return program.status();
  const Result<std::string> turbine =
      textOrNothing(turbineConfigPath(programFolder), "turbine.cfg");
  if (!turbine) return turbine.status();
  const ProgramConfig config = readProgramConfig(*program, setupDefaults());
  return AnalysisSetup{readTurbineConfig(*turbine), config.LogDelay, config.WSUnits, config.SV};
}

}  // namespace tamsel
