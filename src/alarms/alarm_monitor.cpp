#include "alarms/alarm_monitor.h"

#include <algorithm>
#include <cmath>

namespace tamsel {
namespace {

// The readings judged: the hold time, or at least the last second.
long long windowSeconds(const AlarmSettings& settings) {
  return std::max(settings.holdSeconds, 1);
}

}  // namespace

std::vector<AlarmEvent> AlarmMonitor::configure(const AlarmSettings& settings,
                                                const AlarmMoment& now) {
  std::vector<AlarmEvent> events;
  for (AlarmKind kind : kAlarmKinds) {
    const size_t k = indexOf(kind);
    if (settings.limits[k] == settings_.limits[k]) continue;
    if (states[k].active) {
      change(
          {kind, false, AlarmEvent::Cause::LimitChanged, 0, settings.limits[k].value_or(0), now.at},
          events);
    }
    if (!settings.limits[k]) states[k] = {};
  }
  settings_ = settings;
  return events;
}

void AlarmMonitor::portOpened(const AlarmMoment& now) {
  watchPort(Port::Open, now);
}

void AlarmMonitor::portLost(const AlarmMoment& now) {
  watchPort(Port::Lost, now);
}

void AlarmMonitor::portClosed() {
  port = Port::Closed;
  resumedAt.reset();
}

// Silence is counted from when frames were first expected again, not from a
// frame that came before the user closed the port.
void AlarmMonitor::watchPort(Port newPort, const AlarmMoment& now) {
  if (port == Port::Closed) {
    watchingSince = now;
    lastFrame.reset();
  }
  port = newPort;
}

bool AlarmMonitor::anyActive() const {
  return std::any_of(states.begin(), states.end(), [](const AlarmState& s) { return s.active; });
}

std::vector<AlarmEvent> AlarmMonitor::tick(const AlarmMoment& now) {
  std::vector<AlarmEvent> events;
  // The first tick, or a clock set back: readings before it have no time to place them at.
  if (!lastTick || now.seconds < lastTick->seconds) {
    seconds.clear();
    window = {};
    pending = {};
    lastTick = now;
    return events;
  }
  const bool framesCame = pending.count > 0;
  closeSecond(now);
  if (windowCovered(now)) {
    for (AlarmKind kind : kAlarmKinds) {
      if (kind != AlarmKind::NoData) judgeLevel(kind, now, events);
    }
  }
  judgeSilence(now, framesCame, events);
  return events;
}

// A second's readings join the window and leave it in constant time, so a
// long hold time costs no more per tick than a short one.
void AlarmMonitor::closeSecond(const AlarmMoment& now) {
  if (pending.count > 0) {
    seconds.push_back({lastTick->seconds, now.seconds, pending});
    addToWindow(pending, 1);
    pending = {};
  }
  lastTick = now;
  const long long oldest = now.seconds - windowSeconds(settings_);
  while (!seconds.empty() && seconds.front().end <= oldest) {
    addToWindow(seconds.front().readings, -1);
    seconds.pop_front();
  }
}

// Sums taken and given back drift by a rounding each time; they are summed
// afresh once the window has turned over, and are exact zeros when it is empty.
void AlarmMonitor::addToWindow(const Sums& readings, double sign) {
  for (size_t q = 0; q < kWatchedReadingCount; ++q) window.sums[q] += sign * readings.sums[q];
  window.count += sign > 0 ? readings.count : -readings.count;
  if (++changesSinceRecount < 2 * seconds.size() + 2) return;
  changesSinceRecount = 0;
  window = {};
  for (const Second& second : seconds) {
    for (size_t q = 0; q < kWatchedReadingCount; ++q) window.sums[q] += second.readings.sums[q];
    window.count += second.readings.count;
  }
}

// Judged only once the readings span the whole window.
bool AlarmMonitor::windowCovered(const AlarmMoment& now) const {
  return !seconds.empty() && seconds.front().start <= now.seconds - windowSeconds(settings_);
}

void AlarmMonitor::judgeLevel(AlarmKind kind, const AlarmMoment& now,
                              std::vector<AlarmEvent>& events) {
  const std::optional<double>& limit = settings_.limits[indexOf(kind)];
  if (!limit || window.count == 0) return;
  const AlarmKindInfo& info = alarmKindInfo(kind);
  const double average =
      window.sums[static_cast<size_t>(info.watches)] / static_cast<double>(window.count);
  if (!std::isfinite(average)) return;
  if (!state(kind).active) {
    if (info.below ? average < *limit : average > *limit) {
      change({kind, true, AlarmEvent::Cause::Level, average, *limit, now.at}, events);
    }
    return;
  }
  const double clearLevel = settings_.clearLevel(kind);
  if (info.below ? average > clearLevel : average < clearLevel) {
    change({kind, false, AlarmEvent::Cause::Level, average, clearLevel, now.at}, events);
  }
}

void AlarmMonitor::judgeSilence(const AlarmMoment& now, bool framesCame,
                                std::vector<AlarmEvent>& events) {
  const std::optional<AlarmMoment> previousFrame = lastFrame;
  if (framesCame) lastFrame = now;
  const std::optional<double>& minutes = settings_.limits[indexOf(AlarmKind::NoData)];
  if (!minutes || port == Port::Closed) return;
  if (!state(AlarmKind::NoData).active) {
    // Frames are forgotten when the port is closed, so the last one came after watching began.
    const AlarmMoment silentSince = lastFrame.value_or(watchingSince);
    const double silentMinutes = static_cast<double>(now.seconds - silentSince.seconds) / 60;
    if (silentMinutes >= *minutes) {
      const auto cause =
          port == Port::Lost ? AlarmEvent::Cause::PortLost : AlarmEvent::Cause::Silent;
      change({AlarmKind::NoData, true, cause, silentMinutes, *minutes, now.at}, events);
      states[indexOf(AlarmKind::NoData)].silentSince = silentSince.at;
    }
    return;
  }
  if (!framesCame) return;
  // Frames must keep coming: a pause longer than the hold time starts the count again.
  const long long window = windowSeconds(settings_);
  if (!resumedAt || !previousFrame || now.seconds - previousFrame->seconds > window) {
    resumedAt = now.seconds;
  }
  if (now.seconds - *resumedAt >= settings_.holdSeconds) {
    change({AlarmKind::NoData, false, AlarmEvent::Cause::DataAgain, 0, *minutes, now.at}, events);
  }
}

void AlarmMonitor::change(AlarmEvent event, std::vector<AlarmEvent>& events) {
  AlarmState& s = states[indexOf(event.kind)];
  s.active = event.raised;
  s.since = event.at;
  s.value = event.raised ? event.value : 0;
  s.silentSince.reset();
  if (event.kind == AlarmKind::NoData) resumedAt.reset();
  events.push_back(event);
}

}  // namespace tamsel
