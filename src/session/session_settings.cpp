#include "session/session_settings.h"

#include "platform/numeric_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

// A first run has no prog.cfg yet: say so and how to make one.
std::string programFileReadProblem(const std::string& programFolder, const std::string& reason) {
  if (isMissing(programConfigPath(programFolder))) {
    return "prog.cfg is missing in " + programFolder +
           ": make one with \"Program Setup\", or on a machine without a display as README shows";
  }
  return "prog.cfg cannot be read: " + reason;
}

}  // namespace

Status SessionSettings::load(const std::string& programFolder, const SessionObservers& observers,
                             const std::function<void(const std::string&)>& intervalRead) {
  auto program = readWholeFile(programConfigPath(programFolder));
  programProblem = program ? "" : programFileReadProblem(programFolder, program.error());
  if (!program) return Status::failure(programProblem);
  const KeysRead read = readProgramConfigStrict(*program, config);
  // Known before the first connection, so the MQTT wind sensor has its unit from the start, and
  // before any problem below, so the error log knows whether messages are ticked.
  observers.each([this](SessionObserver& o) { o.programConfigRead(config); });
  if (read.has("LogDelay")) intervalRead(config.LogDelay);
  if (Status applied = tellDisplayValues(read, observers); !applied) return applied;

  auto settings = readWholeFile(calibrationPath(programFolder));
  if (!settings) return Status::failure("settings.cfg: " + settings.error());
  const KeysRead calibrated = readCalibrationStrict(*settings, calibration);
  scale_ = scaleFrom(calibration);
  return calibrated.status;
}

Status SessionSettings::tellDisplayValues(const KeysRead& read,
                                          const SessionObservers& observers) const {
  if (!read.status) return read.status;
  observers.each([](SessionObserver& o) { o.displayValuesApplying(); });
  auto showRPM = optionValue(config.DisplayRPM);
  auto showWindSpeed = optionValue(config.DisplayWS);
  if (!showRPM || !showWindSpeed) return Status::failure("DisplayRPM or DisplayWS is no number");
  const ListOptions options{*showRPM, *showWindSpeed, config.WSUnits};
  observers.each([&](SessionObserver& o) { o.listOptionsApplied(options); });
  auto messages = optionValue(config.dispMessages);
  if (!messages) return Status::failure("dispMessages is no number");
  observers.each([&](SessionObserver& o) { o.messageBandApplied(*messages); });
  return {};
}

}  // namespace tamsel
