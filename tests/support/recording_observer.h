#pragma once
// A session observer that writes down, in order, each step it is told of
// what the logger did. Steps that only pass settings on (the list's options,
// the interval text, alarm.cfg's values) are the window tests' to check.
#include <string>
#include <utility>
#include <vector>

#include "platform/number_format.h"
#include "session/session_observer.h"

namespace tamsel::test {

class RecordingObserver : public SessionObserver {
 public:
  // The steps told since the last call.
  std::vector<std::string> take() { return std::exchange(steps, {}); }

  void portOpened() override { note("port opened"); }
  void portLost(const std::string& why) override { note("port lost: " + why); }
  void portClosed() override { note("port closed"); }
  void frameTaken(std::string_view /*frame*/) override { note("frame"); }
  void frameFailed(std::string_view /*frame*/) override { note("frame failed"); }
  void checksumMismatched() override { note("checksum mismatched"); }
  void readingAccepted(const Reading& r, double /*wattHours*/) override {
    note("reading " + plainNumberText(r.voltsValue) + " V");
  }
  void errorTrapped(const LocalDateTime& /*at*/, const ErrorReport& report) override {
    note("error: " + report.errorMessage + "  " + report.errorText);
  }
  void recordWritten(const LocalDateTime& at, const AveragedValues& v, double wattHours) override {
    note("record " + isoDateTime(at) + " " + v.volts + " V " + v.amps + " A " + v.watts + " W " +
         v.rpm + " RPM " + plainNumberText(v.windSpeed) + ", " + wattHoursText(wattHours) + " Wh");
  }
  void recordTicked(bool written) override { note(written ? "ticked" : "ticked, not written"); }
  void loggingChanged(bool started) override { note(started ? "logging on" : "logging off"); }
  void alarmStateChanged(const AlarmEvent& event) override {
    note(event.raised ? "alarm raised" : "alarm cleared");
  }
  void alarmChanged(const AlarmEvent& /*event*/, const std::string& line) override {
    note("told: " + line);
  }
  void alarmNews(const AlarmEvent& /*event*/, const std::string& line) override {
    note("news: " + line);
  }
  void wattHoursCounted() override { note("Wh counted"); }
  void sessionLeft() override { note("left"); }

 private:
  void note(std::string step) { steps.push_back(std::move(step)); }
  std::vector<std::string> steps;
};

}  // namespace tamsel::test
