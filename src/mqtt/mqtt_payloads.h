#pragma once
// What is published, as JSON texts: the latest reading, each record as the
// day's log has it, and the discovery configurations that make a dashboard
// listening for them show one sensor per quantity by itself.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_monitor.h"
#include "logging/averaging.h"
#include "platform/clock.h"
#include "telemetry/reading.h"

namespace tamsel {

// {"time":"2010-05-23T14:05:33","volts":12.50,"amps":3.20,"watts":40.0,"rpm":300.0,
//  "wind_speed":6.5,"wind_speed_unit":"mph","watt_hours_today":12.3}
// Local time; numbers as the decoder rounded them, watt-hours to 0.1.
std::string readingJson(const Reading& reading, double wattHoursToday, std::string_view windUnits,
                        const LocalDateTime& at);

// The record line's own fields, so what is published is what was logged:
// {"date":"2010-05-23","time":"14:05","volts":12.53,"amps":3.2,"watts":41,"rpm":350,
//  "wind_speed":12,"wind_speed_unit":"mph","watt_hours_today":123.4}
std::string recordJson(const LocalDateTime& at, const AveragedValues& values, double wattHours,
                       std::string_view windUnits);

struct RetainedMessage {
  std::string topic;
  std::string payload;
};

// The names come from mqtt.cfg, which is UTF-8 as MQTT wants it.
struct DiscoveryNames {
  std::string topic;     // the prefix: <topic>/reading, <topic>/status
  std::string clientId;  // names the device and each sensor's id
  std::string deviceName;
  std::string version;
  int readingIntervalSeconds = 5;  // how often a live reading is published
};

// A reading older than this shows as unavailable: a few publishing
// intervals, so one late message does not flicker, and never less than a
// minute.
int readingExpirySeconds(int readingIntervalSeconds);

// One sensor configuration per quantity, under
// homeassistant/sensor/<client id>_<quantity>/config. An empty wind unit
// gives that sensor no unit at all (a dashboard refuses an empty one). The
// reading's sensors expire when readings stop; the battery's two follow
// <topic>/battery, sent with each record, and stand until the next.
std::vector<RetainedMessage> discoveryMessages(const DiscoveryNames& names,
                                               std::string_view windUnits);

// The battery's figures of the day so far, published with each record:
// {"amp_hours_today":12.35,"days_since_full":3}, amp-hours to 0.01; null for
// a figure that cannot be given (no day of the counted range reached full).
std::string batteryStateJson(std::optional<double> ampHoursToday, std::optional<int> daysSinceFull);

// Every configured alarm, retained on <topic>/alarm, in alarm.cfg's order:
// {"low_volts":{"state":"on","threshold":11.5,"value":11.42,"since":"2010-05-23T14:05:33"},
//  "no_data":{"state":"off","threshold":10,"value":null,"since":null}}
// "value" is what raised it (null while off), "since" when it took its state
// (null before its first change); a silent board's threshold and value are minutes.
std::string alarmJson(const AlarmBoard& board);

// One binary sensor per configured alarm (device class "problem"), under
// homeassistant/binary_sensor/<client id>_alarm_<alarm>/config, on the same
// device as the sensors; an alarm that is not configured gets an empty
// payload there, which takes a sensor announced before away.
std::vector<RetainedMessage> alarmDiscoveryMessages(const DiscoveryNames& names,
                                                    const AlarmSettings& settings);

// A number text as a JSON number (".5" becomes "0.5"); null when it is none.
std::string jsonNumber(std::string_view text);

}  // namespace tamsel
