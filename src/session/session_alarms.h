#pragma once
// The session's alarms: alarm.cfg loaded, every reading and the port's state
// watched, every alarm judged once a second, and each change told to the
// session's observers: its state at once, its words paced.
#include <optional>
#include <string>
#include <utility>

#include "alarms/alarm_monitor.h"
#include "alarms/alarm_pacer.h"
#include "config/program_config.h"
#include "platform/clock.h"
#include "session/session_observer.h"
#include "telemetry/reading.h"

namespace tamsel {

class SessionAlarms {
 public:
  // `config` is the session's prog.cfg as last read: its wind-speed unit
  // is in the words told.
  SessionAlarms(const std::string& programFolder, const Clock& clock,
                const SessionObservers& observers, const ProgramConfig& config);

  // alarm.cfg again; its problems are reported as trapped errors.
  void load();
  void addReading(const Reading& reading);
  void portOpened();
  void portLost();
  void portClosed();
  // Once a second: the alarms judged.
  void tick();
  // Leaving: changes still held are told, as no news (a command started now
  // would be ended at once).
  void flush();

  const AlarmMonitor& monitor() const { return alarms; }

 private:
  AlarmMoment moment() const;
  void changed(const AlarmEvent& event);
  void tell(const AlarmTelling& told, bool news);
  void reportProblem(const std::string& problem);

  const std::string& programFolder;
  const Clock& clock;
  const SessionObservers& observers;
  const ProgramConfig& config;
  // alarm.cfg as last loaded (false and its text), or why it could not be read (true and why).
  std::optional<std::pair<bool, std::string>> fileRead;
  AlarmMonitor alarms;
  AlarmPacer pacer;  // how often each alarm's changes are told
};

}  // namespace tamsel
