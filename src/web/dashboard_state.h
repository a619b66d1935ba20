#pragma once
// What the dashboard shows of the running logger, and the two texts made of
// it: the live reading as JSON (what the live page and its event stream
// carry) and the metrics a Prometheus server scrapes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "telemetry/live_display.h"
#include "telemetry/reading.h"

namespace tamsel {

struct DashboardCounters {
  std::uint64_t frames = 0;          // taken from the line
  std::uint64_t checksumErrors = 0;  // frames whose checksum did not match
  std::uint64_t recordsWritten = 0;  // record lines that reached the day's file
  std::uint64_t writeErrors = 0;     // record lines that did not
};

// Records sent to a time-series database, when sending is on.
struct SendingCounts {
  std::uint64_t pending = 0;  // day file lines not yet taken by the database
  std::uint64_t sent = 0;     // records it took since the logger started
};

// One configured alarm as the dashboard shows it.
struct DashboardAlarm {
  std::string id;    // "low_volts"
  std::string name;  // "Battery volts low"
  bool active = false;
  std::optional<LocalDateTime> since;  // when it took its present state; none before
  double threshold = 0;                // minutes for a silent board
  std::optional<double> value;         // what raised it, while active
  std::string text;                    // what the banner says while active
};

struct DashboardState {
  LocalDateTime now;                       // the logger's clock when the state was taken
  std::optional<LocalDateTime> lastFrame;  // when the last reading was accepted
  Reading reading;
  ListOptions list;
  double wattHours = 0;
  double wattHoursCounted = 0;  // since the logger started, never falling
  bool logging = false;
  std::string interval;  // the logging interval's text, seconds
  bool portOpen = false;
  std::string portProblem;  // while the port is not open: why, when that was told
  std::string lastError;    // the message line of the last trapped error, until it is over
  std::string notice;       // the message line of a notice that followed it
  DashboardCounters counters;
  std::vector<DashboardAlarm> alarms;  // the configured ones
  std::optional<SendingCounts> sending;
};

// {"time":..,"now":..,"age":..,"volts":..,..,"rows":[{"value":"12.48","name":"Volts"},..],..}:
// "now" is the logger's clock and "age" the seconds since the last reading
// (null before one), so a page can tell a silent board from a live one
// whatever its own clock says; the rows are the main window's list, "0.0" in
// every row before the first reading.
// "alarms" lists the configured alarms:
// [{"id":"low_volts","name":"Battery volts low","active":true,
//   "since":"2010-05-23T14:05:36","threshold":11.5,"value":11,"text":"Battery volts low since .."}]
// and "alarmActive" is true while any of them is.
std::string dashboardReadingJson(const DashboardState& state);

// Prometheus text format 0.0.4: gauges of the reading and counters.
std::string metricsText(const DashboardState& state);

}  // namespace tamsel
