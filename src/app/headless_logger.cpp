#include "app/headless_logger.h"

#include "app/process/start_line.h"
#include "logging/logging_control.h"
#include "platform/numeric_text.h"
#include "platform/serial_settings.h"

namespace tamsel {

HeadlessLogger::HeadlessLogger(std::string folder, const Clock& clock, SerialControl& serial,
                               Outputs& outputs)
    : programFolder(folder),
      outputs(outputs),
      session({std::move(folder), clock, serial, outputs.observers()}, *this) {
  retry.setSingleShot(true);
  retry.setInterval(kRetryMs);
  connect(&retry, &QTimer::timeout, this, &HeadlessLogger::tryStartUp);
}

void HeadlessLogger::start() {
  tryStartUp();
  // Served from the first start-up on, also while the port is retried.
  session.startUpTold();
  // Said after the first try at the port, so it tells how that went.
  outputs.errorLog.messageStream() << whatRuns() << std::endl;
}

std::string HeadlessLogger::whatRuns() const {
  const ProgramConfig& config = session.programConfig();
  StartFacts facts;
  facts.folder = programFolder;
  facts.port = config.Port;
  if (const Result<int> number = portNumberFromText(config.Port)) {
    facts.device = portDevice(*number, programFolder);
  }
  facts.speed = config.BR;
  facts.portOpen = session.isPortOpen();
  facts.portProblem = portProblem;
  facts.logOn = optionValue(config.LogOn) == true;
  facts.logging = session.isLogging();
  const auto interval = validateInterval(session.intervalText());
  facts.interval = interval ? interval->delayText : setupDefaults().LogDelay;
  if (outputs.dashboard) {
    facts.dashboard = outputs.dashboard->address();
    facts.dashboardOff = "not started: " + outputs.dashboard->problem();
  } else {
    facts.dashboardOff = outputs.dashboardOff;
  }
  return startLine(facts);
}

void HeadlessLogger::stop() {
  retry.stop();
  session.leave();
}

void HeadlessLogger::tryStartUp() {
  const LoggerSession::StartUpResult result = session.runStartUp();
  portProblem = result.port.error;
  if (std::string problem = startUpProblem(result); !problem.empty()) {
    if (problem != lastProblem) say(problem + "; trying again every 2 seconds");
    lastProblem = std::move(problem);
    retry.start();
    return;
  }
  if (!lastProblem.empty()) say("Port open; the problem is over");
  lastProblem.clear();
  if (result.outcome == LoggerSession::StartUp::IntervalInvalid) {
    const std::string fallback = setupDefaults().LogDelay;
    say(std::string(kInvalidDelayMessage) + "; logging every " + fallback + " seconds");
    session.setIntervalText(fallback);
    (void)session.autoStart();  // the default interval is always valid
  }
  if (!session.isLogging()) {
    say("Logging is off (LogOn in prog.cfg): frames are read, no records written");
  }
}

std::string HeadlessLogger::startUpProblem(const LoggerSession::StartUpResult& result) const {
  if (result.outcome == LoggerSession::StartUp::PortFailed) {
    return std::string(kPortProblemMessage) + ": " + result.port.error;
  }
  if (session.programConfig().Port == "0") {
    return "No port to listen on: Port is 0 in prog.cfg";
  }
  return {};
}

void HeadlessLogger::say(const std::string& message) {
  outputs.errorLog.attention(message);
}

}  // namespace tamsel
