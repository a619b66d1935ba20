#include "session/session_alarms.h"

#include "alarms/alarm_command.h"
#include "alarms/alarm_text.h"
#include "config/alarm_config.h"
#include "platform/text_file.h"

namespace tamsel {

SessionAlarms::SessionAlarms(const std::string& programFolder, const Clock& clock,
                             const SessionObservers& observers, const ProgramConfig& config)
    : programFolder(programFolder), clock(clock), observers(observers), config(config) {}

// A file read again unchanged changes nothing and is not reported again (the
// headless logger rereads it every 2 s while the port is missing).
void SessionAlarms::load() {
  const std::string path = alarmConfigPath(programFolder);
  const Result<std::string> text = readWholeFile(path);
  const bool unreadable = !text && !isMissing(path);
  const std::pair<bool, std::string> read{unreadable, unreadable ? text.error() : text.valueOr({})};
  if (fileRead == read) return;
  fileRead = read;
  if (unreadable) {
    reportProblem("alarm.cfg cannot be read: " + text.error() + "; no alarms");
  } else if (text && !holdsAlarmKey(*text)) {
    reportProblem("alarm.cfg holds no alarm setting: none of its keys is known; no alarms");
  }
  AlarmSettingsRead settings = alarmSettings(readAlarmConfig(text.valueOr({})));
  if (auto problem = commandProblem(settings.settings.command, programFolder)) {
    settings.problems.push_back(std::move(*problem));
  }
  for (const AlarmProblem& problem : settings.problems) reportProblem(loadProblemText(problem));
  for (const AlarmEvent& event : alarms.configure(settings.settings, moment())) changed(event);
  observers.each([&](SessionObserver& o) { o.alarmSettingsLoaded(settings.settings); });
  observers.each([this](SessionObserver& o) { o.alarmsJudged(alarms.board()); });
}

void SessionAlarms::reportProblem(const std::string& problem) {
  const LocalDateTime now = clock.now();
  observers.each([&](SessionObserver& o) { o.errorTrapped(now, {problem, {}, {}}); });
}

void SessionAlarms::addReading(const Reading& reading) {
  alarms.addReading(reading.voltsValue, reading.ampsValue, reading.rpmValue, reading.windSpeed);
}

void SessionAlarms::portOpened() {
  alarms.portOpened(moment());
}

void SessionAlarms::portLost() {
  alarms.portLost(moment());
}

void SessionAlarms::portClosed() {
  alarms.portClosed();
}

AlarmMoment SessionAlarms::moment() const {
  return {clock.elapsedSeconds(), clock.now()};
}

void SessionAlarms::tick() {
  const AlarmMoment now = moment();
  const std::vector<AlarmEvent> events = alarms.tick(now);
  for (const AlarmEvent& event : events) changed(event);
  for (const AlarmTelling& told : pacer.tick(now.seconds, now.at)) tell(told, true);
  if (!events.empty()) {
    observers.each([this](SessionObserver& o) { o.alarmsJudged(alarms.board()); });
  }
}

void SessionAlarms::flush() {
  for (const AlarmTelling& told : pacer.flush(clock.elapsedSeconds(), clock.now())) {
    tell(told, false);
  }
}

// The state is shown at once; the words are paced, so a flapping alarm
// cannot flood the error log, the journal, the command or the desktop.
void SessionAlarms::changed(const AlarmEvent& event) {
  observers.each([&](SessionObserver& o) { o.alarmStateChanged(event); });
  if (auto told = pacer.changed(event, clock.elapsedSeconds())) tell(*told, true);
}

// The command and the desktop hear only of a state they have not been told:
// a minute that came back to where it began has nothing new for them.
void SessionAlarms::tell(const AlarmTelling& told, bool news) {
  const std::string line = alarmTellingLine(told, config.WSUnits);
  observers.each([&](SessionObserver& o) { o.alarmChanged(told.event, line); });
  if (!news || !told.stateChanged) return;
  observers.each([&](SessionObserver& o) { o.alarmNews(told.event, line); });
}

}  // namespace tamsel
