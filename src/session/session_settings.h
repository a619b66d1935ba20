#pragma once
// What the session runs on from its two setting files: prog.cfg (the port,
// the interval, what is shown and saved) and settings.cfg (how a frame's
// counts scale into a reading). Read again after every configuration window.
#include <functional>
#include <string>

#include "config/calibration.h"
#include "config/program_config.h"
#include "platform/status.h"
#include "session/session_observer.h"
#include "telemetry/reading.h"

namespace tamsel {

class SessionSettings {
 public:
  SessionSettings() : scale_(scaleFrom(calibration)) {}

  // Both files; the first failure stops the reading and leaves what was read.
  // prog.cfg's display values are told to the observers, and its interval
  // (when it has one) to `intervalRead`, before anything after them can fail.
  Status load(const std::string& programFolder, const SessionObservers& observers,
              const std::function<void(const std::string&)>& intervalRead);

  const ProgramConfig& program() const { return config; }
  const Scale& scale() const { return scale_; }
  // Why prog.cfg could not be read at the last load; empty when it was.
  const std::string& programFileProblem() const { return programProblem; }

 private:
  Status tellDisplayValues(const KeysRead& read, const SessionObservers& observers) const;

  ProgramConfig config;
  Calibration calibration;
  Scale scale_;
  std::string programProblem;
};

}  // namespace tamsel
