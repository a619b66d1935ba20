#pragma once
// What the web dashboard shows of a session: the session's own state, read
// when an answer needs it, and what the session only tells as it happens
// (frames, checksum errors, records, the last trapped error), counted here.
#include <functional>
#include <optional>
#include <string>

#include "app/core/session_view.h"
#include "web/dashboard_state.h"

namespace tamsel {

class LoggerSession;

class DashboardFeed final : public SessionView {
 public:
  explicit DashboardFeed(const Clock& clock) : clock(clock) {}

  void watch(const LoggerSession& watched) { session = &watched; }
  DashboardState state() const;

  // Told after every accepted reading.
  std::function<void()> readingChanged;

  void displayReset() override { lastFrame.reset(); }
  void listOptionsApplied(const ListOptions& options) override { list = options; }
  void frameTaken(std::string_view /*frame*/) override { ++counters.frames; }
  void checksumMismatched() override { ++counters.checksumErrors; }
  void readingAccepted() override;
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override;
  void recordTicked(bool written) override;
  // A raised or cleared alarm reaches the pages at once, not with the next frame.
  void alarmStateChanged(const AlarmEvent& event) override;

 private:
  const Clock& clock;
  const LoggerSession* session = nullptr;
  std::optional<LocalDateTime> lastFrame;
  ListOptions list;
  std::string lastError;
  DashboardCounters counters;
};

}  // namespace tamsel
