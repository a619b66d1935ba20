#include "app/outputs/dashboard_feed.h"

#include "alarms/alarm_text.h"
#include "session/logger_session.h"

namespace tamsel {
namespace {

std::vector<DashboardAlarm> dashboardAlarms(const AlarmMonitor& monitor,
                                            const std::string& windUnits) {
  std::vector<DashboardAlarm> alarms;
  const AlarmSettings& settings = monitor.settings();
  for (AlarmKind kind : kAlarmKinds) {
    if (!settings.configured(kind)) continue;
    const AlarmKindInfo& info = alarmKindInfo(kind);
    const AlarmState& state = monitor.state(kind);
    DashboardAlarm alarm;
    alarm.id = info.id;
    alarm.name = info.name;
    alarm.active = state.active;
    alarm.since = state.since;
    alarm.threshold = *settings.limits[indexOf(kind)];
    if (state.active) {
      alarm.value = state.value;
      alarm.text = alarmTooltip(kind, state, settings, windUnits);
    }
    alarms.push_back(std::move(alarm));
  }
  return alarms;
}

}  // namespace

DashboardState DashboardFeed::state() const {
  DashboardState state;
  state.lastFrame = lastFrame;
  state.list = list;
  state.now = clock.now();
  state.lastError = lastError;
  state.notice = notice;
  state.counters = counters;
  if (sending) state.sending = sending();
  if (session) {
    state.reading = session->currentReading();
    state.wattHours = session->wattHours();
    state.wattHoursCounted = session->countedWattHours();
    state.logging = session->isLogging();
    state.interval = session->intervalText();
    state.portOpen = session->isPortOpen();
    if (!state.portOpen) state.portProblem = portProblem;
    if (state.portOpen && errorIsPortProblem) state.lastError.clear();
    state.alarms = dashboardAlarms(session->alarmMonitor(), session->programConfig().WSUnits);
  }
  return state;
}

void DashboardFeed::readingAccepted(const Reading& reading, double /*wattHours*/) {
  lastFrame = clock.now();
  recent.add(*lastFrame, reading);
  if (readingChanged) readingChanged();
}

void DashboardFeed::errorTrapped(const LocalDateTime& at, const ErrorReport& report) {
  lastError = trappedMessage(at, report);
  notice.clear();
  errorIsPortProblem = session && !session->isPortOpen();
  if (errorIsPortProblem) portProblem = report.errorMessage + "  " + report.errorText;
  if (readingChanged) readingChanged();
}

void DashboardFeed::noticeShown(const LocalDateTime& at, const std::string& text) {
  notice = "  " + longTime(at) + "  ---  " + text;
  lastError.clear();
  errorIsPortProblem = false;
  if (readingChanged) readingChanged();
}

void DashboardFeed::alarmStateChanged(const AlarmEvent& /*event*/) {
  if (readingChanged) readingChanged();
}

void DashboardFeed::recordTicked(bool written) {
  ++(written ? counters.recordsWritten : counters.writeErrors);
}

}  // namespace tamsel
