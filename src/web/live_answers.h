#pragma once
// The answers about the logger as it runs, made of what it shows now: the
// live reading, the hour a live page just opened draws at once, and the
// metrics a Prometheus server scrapes. None of them is kept by a cache.
#include <functional>
#include <utility>

#include "platform/clock.h"
#include "web/dashboard_state.h"
#include "web/day_answers.h"
#include "web/recent_readings.h"

namespace tamsel {

class LiveAnswers {
 public:
  // What the logger shows now, asked for when an answer needs it.
  using StateSource = std::function<DashboardState()>;

  LiveAnswers(StateSource state, const Clock& clock) : source(std::move(state)), clock(clock) {}

  // The readings kept for a live page just opened; none until this is called.
  void serveRecent(const RecentReadings* readings) { recent = readings; }

  DashboardState state() const { return source(); }
  LocalDateTime now() const { return clock.now(); }

  // /api/reading: the live reading as the event stream carries it.
  WebAnswer reading() const;
  // /api/recent: the hour before now, the readings the logger kept and,
  // before the oldest of them (after a restart, say), the records of
  // today's file in /api/day's form.
  WebAnswer recentHour(DayAnswers& days) const;
  // /metrics.
  WebAnswer metrics() const;

 private:
  const StateSource source;
  const Clock& clock;
  const RecentReadings* recent = nullptr;
};

}  // namespace tamsel
