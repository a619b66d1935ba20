#include "app/core/dashboard_feed.h"

#include "app/core/logger_session.h"

namespace tamsel {

DashboardState DashboardFeed::state() const {
  DashboardState state;
  state.lastFrame = lastFrame;
  state.list = list;
  state.lastError = lastError;
  state.counters = counters;
  if (session) {
    state.reading = session->currentReading();
    state.wattHours = session->wattHours();
    state.logging = session->isLogging();
    state.interval = session->intervalText();
    state.portOpen = session->isPortOpen();
  }
  return state;
}

void DashboardFeed::readingAccepted() {
  lastFrame = clock.now();
  if (readingChanged) readingChanged();
}

void DashboardFeed::errorTrapped(const LocalDateTime& at, const ErrorReport& report) {
  lastError = trappedMessage(at, report);
}

void DashboardFeed::recordTicked(bool written) {
  ++(written ? counters.recordsWritten : counters.writeErrors);
}

}  // namespace tamsel
