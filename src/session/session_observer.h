#pragma once
// The one way out of a logger session: whoever shows it (the window, the
// headless logger) and every output (the error log, the dashboard, MQTT, the
// alarm command, the desktop) is told what happens, step by step, and is
// never called by the session any other way.
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_monitor.h"
#include "config/program_config.h"
#include "logging/averaging.h"
#include "platform/clock.h"
#include "session/error_report.h"
#include "telemetry/live_display.h"
#include "telemetry/reading.h"

namespace tamsel {

class LoggerSession;

// Each call tells one step; the defaults do nothing with it.
class SessionObserver {
 public:
  // Once, as the session is made: what it can be asked, and told back.
  virtual void sessionMade(LoggerSession& /*session*/) {}
  // Start-up begins: nothing received yet.
  virtual void displayReset() {}
  // The logging interval text changed (clamped, or read from prog.cfg).
  virtual void intervalShown(const std::string& /*delayText*/) {}
  // prog.cfg was read, whether or not its values are all usable.
  virtual void programConfigRead(const ProgramConfig& /*config*/) {}
  // prog.cfg's display values are about to be applied: the list is emptied
  // first, even when applying them then fails.
  virtual void displayValuesApplying() {}
  virtual void listOptionsApplied(const ListOptions& /*options*/) {}
  // Whether the message lines are shown (dispMessages).
  virtual void messageBandApplied(bool /*shown*/) {}
  // The configuration was loaded for the first time: what reports its own
  // problems may start now, knowing how they are reported.
  virtual void configurationFirstLoaded() {}
  // Start-up was tried and its outcome told; what serves others starts now.
  virtual void startUpTold() {}
  // The port opened (also by itself after a loss), was lost, or was closed.
  virtual void portOpened() {}
  virtual void portLost(const std::string& /*why*/) {}
  virtual void portClosed() {}
  // A frame was taken from the line, before it is checked.
  virtual void frameTaken(std::string_view /*frame*/) {}
  // A frame failed part-way through decoding.
  virtual void frameFailed(std::string_view /*frame*/) {}
  // A frame's checksum did not match its fields.
  virtual void checksumMismatched() {}
  // A frame gave a new reading; `wattHours` is today's running total.
  virtual void readingAccepted(const Reading& /*reading*/, double /*wattHours*/) {}
  // An error was trapped.
  virtual void errorTrapped(const LocalDateTime& /*at*/, const ErrorReport& /*report*/) {}
  // Something that went wrong is right again.
  virtual void noticeShown(const LocalDateTime& /*at*/, const std::string& /*notice*/) {}
  // A record reached the day's file, with the values it holds.
  virtual void recordWritten(const LocalDateTime& /*at*/, const AveragedValues& /*values*/,
                             double /*wattHours*/) {}
  // A logging tick ended; `written` when its record reached the day's file.
  virtual void recordTicked(bool /*written*/) {}
  virtual void loggingChanged(bool /*started*/) {}
  // alarm.cfg was loaded (at every load).
  virtual void alarmSettingsLoaded(const AlarmSettings& /*settings*/) {}
  // Every alarm's state, after alarm.cfg was loaded and whenever an alarm changed.
  virtual void alarmsJudged(const AlarmBoard& /*board*/) {}
  // An alarm was raised or cleared: what shows its state follows at once.
  virtual void alarmStateChanged(const AlarmEvent& /*event*/) {}
  // An alarm's change told in words, at most once a minute for each alarm:
  // the change itself, or a minute's changes summed up in `line`.
  virtual void alarmChanged(const AlarmEvent& /*event*/, const std::string& /*line*/) {}
  // The same telling, when its state differs from the one last told and the
  // logger is not leaving: news for the owner's command and the desktop.
  virtual void alarmNews(const AlarmEvent& /*event*/, const std::string& /*line*/) {}
  // The energy tick added the reading to the running watt-hours.
  virtual void wattHoursCounted() {}
  // The logger left: the watt-hours line written, the port closed.
  virtual void sessionLeft() {}

 protected:
  ~SessionObserver() = default;
};

// Every observer of a session, the one that shows it first, told each step in turn.
class SessionObservers {
 public:
  explicit SessionObservers(std::vector<SessionObserver*> all) : all(std::move(all)) {}

  template <class Step>
  void each(const Step& step) const {
    for (SessionObserver* observer : all) step(*observer);
  }

 private:
  const std::vector<SessionObserver*> all;
};

}  // namespace tamsel
