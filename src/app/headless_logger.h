#pragma once
// The logger with nobody watching (tamsel --headless): the same session as
// the main window, where every question a window would ask is answered the
// way an unattended logger must. The port-problem dialogue becomes a line in
// errorlog.txt and on standard error, and start-up is tried again every
// 2 seconds (reading prog.cfg again, so a corrected port is taken up); an
// interval that is no number is replaced by the default one.
#include <QObject>
#include <QTimer>
#include <string>

#include "app/outputs/make_outputs.h"
#include "session/logger_session.h"

namespace tamsel {

// Its message line is standard error, which the error reporter writes: as a
// view it shows nothing of its own.
class HeadlessLogger : public QObject, private SessionObserver {
  Q_OBJECT
 public:
  HeadlessLogger(std::string programFolder, const Clock& clock, SerialControl& serial,
                 Outputs& outputs);

  static constexpr int kRetryMs = 2000;

  // Start-up, then one line on standard error saying what runs (startLine).
  void start();
  // What "Exit" does: the watt-hours line, the port closed.
  void stop();

  const LoggerSession& loggerSession() const { return session; }

 private:
  void tryStartUp();
  std::string startUpProblem(const LoggerSession::StartUpResult& result) const;
  std::string whatRuns() const;
  // A message that would have been a dialogue: to errorlog.txt and standard error.
  void say(const std::string& message);

  const std::string programFolder;
  Outputs& outputs;
  LoggerSession session;
  QTimer retry;
  std::string lastProblem;  // said once, not every 2 seconds
  std::string portProblem;  // why the port did not open at the last try
};

}  // namespace tamsel
