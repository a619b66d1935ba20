#pragma once
// What the web dashboard shows of a session: the session's own state, read
// when an answer needs it, and what the session only tells as it happens
// (frames, checksum errors, records, the last trapped error, the readings
// of the last hour), kept here.
#include <functional>
#include <optional>
#include <string>

#include "session/session_observer.h"
#include "web/dashboard_state.h"
#include "web/recent_readings.h"

namespace tamsel {

class LoggerSession;

class DashboardFeed final : public SessionObserver {
 public:
  explicit DashboardFeed(const Clock& clock) : clock(clock) {}

  DashboardState state() const;
  const RecentReadings& recentReadings() const { return recent; }

  // Told after every accepted reading, and when the message line changes.
  std::function<void()> readingChanged;
  // How sending to a time-series database stands, when records are sent.
  std::function<SendingCounts()> sending;
  // Told once start-up's outcome is known: the server may listen.
  std::function<void(LoggerSession&)> startUpDone;

  void sessionMade(LoggerSession& watched) override { session = &watched; }
  void startUpTold() override {
    if (startUpDone && session) startUpDone(*session);
  }
  void displayReset() override { lastFrame.reset(); }
  void listOptionsApplied(const ListOptions& options) override { list = options; }
  void frameTaken(std::string_view /*frame*/) override { ++counters.frames; }
  void checksumMismatched() override { ++counters.checksumErrors; }
  void readingAccepted(const Reading& reading, double wattHours) override;
  // The message line as the window's: an error, replaced by the next error
  // or by a notice that something is right again.
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override;
  void noticeShown(const LocalDateTime& at, const std::string& notice) override;
  void recordTicked(bool written) override;
  // A raised or cleared alarm reaches the pages at once, not with the next frame.
  void alarmStateChanged(const AlarmEvent& event) override;

 private:
  const Clock& clock;
  LoggerSession* session = nullptr;
  std::optional<LocalDateTime> lastFrame;
  ListOptions list;
  std::string lastError;
  // The error came while the port was not open: it is the port's problem,
  // and over once the port is open again.
  bool errorIsPortProblem = false;
  std::string portProblem;
  std::string notice;
  DashboardCounters counters;
  RecentReadings recent;
};

}  // namespace tamsel
