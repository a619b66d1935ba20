#pragma once
// The logger with nobody watching (tamsel --headless): the same session as
// the main window, where every question a window would ask is answered the
// way an unattended logger must. The port-problem dialogue becomes a line in
// errorlog.txt and on standard error, and start-up is tried again every
// 2 seconds (reading prog.cfg again, so a corrected port is taken up); an
// interval that is no number is replaced by the default one.
#include <QObject>
#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "app/core/logger_session.h"

namespace tamsel {

class WebDashboard;

class HeadlessLogger : public QObject, private SessionView {
  Q_OBJECT
 public:
  HeadlessLogger(std::string programFolder, const Clock& clock, SerialControl& serial,
                 std::ostream& messages, MqttPublisher* publisher = nullptr,
                 WebDashboard* dashboard = nullptr, std::vector<AlarmSink*> alarmSinks = {});

  static constexpr int kRetryMs = 2000;

  // Start-up, then one line on `messages` saying what runs (startLine).
  void start();
  // Why there is no dashboard, for that line, when none was given.
  void setDashboardOff(std::string why) { dashboardOff = std::move(why); }
  // What "Exit" does: the watt-hours line, the port closed.
  void stop();

  const LoggerSession& loggerSession() const { return session; }

 private:
  void tryStartUp();
  std::string startUpProblem(const LoggerSession::StartUpResult& result) const;
  std::string whatRuns() const;
  // A message that would have been a dialogue: to errorlog.txt and standard error.
  void say(const std::string& message);
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override;
  void noticeShown(const LocalDateTime& at, const std::string& notice) override;
  void alarmChanged(const AlarmEvent& event, const std::string& line) override;

  const std::string programFolder;
  const Clock& clock;
  std::ostream& messages;
  LoggerSession session;
  WebDashboard* const dashboard;
  QTimer retry;
  std::string lastProblem;  // said once, not every 2 seconds
  std::string portProblem;  // why the port did not open at the last try
  std::string dashboardOff = "none given";
};

}  // namespace tamsel
