#pragma once
// What a logger session tells whoever shows it, step by step.
#include <string>
#include <string_view>

#include "alarms/alarm_monitor.h"
#include "app/core/error_report.h"
#include "platform/clock.h"
#include "telemetry/live_display.h"

namespace tamsel {

// Whoever shows a session. Each call shows one step; the defaults show nothing.
class SessionView {
 public:
  // Start-up begins: nothing received yet.
  virtual void displayReset() {}
  // The logging interval text changed (clamped, or read from prog.cfg).
  virtual void intervalShown(const std::string& /*delayText*/) {}
  // prog.cfg's display values are about to be applied: the list is emptied
  // first, even when applying them then fails.
  virtual void displayValuesApplying() {}
  virtual void listOptionsApplied(const ListOptions& /*options*/) {}
  // Whether the message lines are shown (dispMessages).
  virtual void messageBandApplied(bool /*shown*/) {}
  // A frame was taken from the line, before it is checked.
  virtual void frameTaken(std::string_view /*frame*/) {}
  // A frame failed part-way through decoding.
  virtual void frameFailed(std::string_view /*frame*/) {}
  // A frame's checksum did not match its fields.
  virtual void checksumMismatched() {}
  // A frame gave a new reading.
  virtual void readingAccepted() {}
  // An error was trapped.
  virtual void errorTrapped(const LocalDateTime& /*at*/, const ErrorReport& /*report*/) {}
  // Something that went wrong is right again.
  virtual void noticeShown(const LocalDateTime& /*at*/, const std::string& /*notice*/) {}
  // A logging tick ended; `written` when its record reached the day's file.
  virtual void recordTicked(bool /*written*/) {}
  virtual void loggingChanged(bool /*started*/) {}
  // An alarm was raised or cleared: what shows its state follows at once.
  virtual void alarmStateChanged(const AlarmEvent& /*event*/) {}
  // An alarm's change told in words, at most once a minute for each alarm:
  // the change itself, or a minute's changes summed up in `line`.
  virtual void alarmChanged(const AlarmEvent& /*event*/, const std::string& /*line*/) {}
  // The energy tick added the reading to the running watt-hours.
  virtual void wattHoursCounted() {}

 protected:
  ~SessionView() = default;
};

// The view that shows a session (the window, the headless logger) and one
// more that watches it (the web dashboard), told the same steps in that order.
class SessionViews final : public SessionView {
 public:
  SessionViews(SessionView& shown, SessionView* watcher) : shown(shown), watcher(watcher) {}

  void displayReset() override {
    each([](SessionView& v) { v.displayReset(); });
  }
  void intervalShown(const std::string& delayText) override {
    each([&](SessionView& v) { v.intervalShown(delayText); });
  }
  void displayValuesApplying() override {
    each([](SessionView& v) { v.displayValuesApplying(); });
  }
  void listOptionsApplied(const ListOptions& options) override {
    each([&](SessionView& v) { v.listOptionsApplied(options); });
  }
  void messageBandApplied(bool shownBand) override {
    each([&](SessionView& v) { v.messageBandApplied(shownBand); });
  }
  void frameTaken(std::string_view frame) override {
    each([&](SessionView& v) { v.frameTaken(frame); });
  }
  void frameFailed(std::string_view frame) override {
    each([&](SessionView& v) { v.frameFailed(frame); });
  }
  void checksumMismatched() override {
    each([](SessionView& v) { v.checksumMismatched(); });
  }
  void readingAccepted() override {
    each([](SessionView& v) { v.readingAccepted(); });
  }
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override {
    each([&](SessionView& v) { v.errorTrapped(at, report); });
  }
  void noticeShown(const LocalDateTime& at, const std::string& notice) override {
    each([&](SessionView& v) { v.noticeShown(at, notice); });
  }
  void recordTicked(bool written) override {
    each([&](SessionView& v) { v.recordTicked(written); });
  }
  void loggingChanged(bool started) override {
    each([&](SessionView& v) { v.loggingChanged(started); });
  }
  void alarmStateChanged(const AlarmEvent& event) override {
    each([&](SessionView& v) { v.alarmStateChanged(event); });
  }
  void alarmChanged(const AlarmEvent& event, const std::string& line) override {
    each([&](SessionView& v) { v.alarmChanged(event, line); });
  }
  void wattHoursCounted() override {
    each([](SessionView& v) { v.wattHoursCounted(); });
  }

 private:
  template <class Step>
  void each(const Step& step) {
    step(shown);
    if (watcher) step(*watcher);
  }

  SessionView& shown;
  SessionView* const watcher;
};

}  // namespace tamsel
