#include "web/dashboard_state.h"

#include <cstdio>

#include "platform/json_text.h"

namespace tamsel {
namespace {

std::string rowsJson(const DashboardState& state) {
  const std::vector<ListRow> rows = state.lastFrame
                                        ? readingRows(state.reading, state.wattHours, state.list)
                                        : initialRows(state.list);
  std::string json = "[";
  for (const ListRow& row : rows) {
    if (json.size() > 1) json += ',';
    json += "{" + jsonKey("value") + jsonQuoted(row.value) + "," + jsonKey("name") +
            jsonQuoted(row.name) + "}";
  }
  return json + "]";
}

std::string countersJson(const DashboardCounters& c) {
  return "{" + jsonKey("frames") + std::to_string(c.frames) + "," + jsonKey("checksumErrors") +
         std::to_string(c.checksumErrors) + "," + jsonKey("recordsWritten") +
         std::to_string(c.recordsWritten) + "," + jsonKey("writeErrors") +
         std::to_string(c.writeErrors) + "}";
}

std::string alarmsJson(const std::vector<DashboardAlarm>& alarms) {
  std::string json = "[";
  for (const DashboardAlarm& a : alarms) {
    if (json.size() > 1) json += ',';
    json += "{" + jsonKey("id") + jsonQuoted(a.id) + "," + jsonKey("name") + jsonQuoted(a.name) +
            "," + jsonKey("active") + jsonBool(a.active) + "," + jsonKey("since") +
            (a.since ? jsonQuoted(isoDateTime(*a.since)) : "null") + "," + jsonKey("threshold") +
            jsonNumeral(a.threshold) + "," + jsonKey("value") +
            (a.value ? jsonNumeral(*a.value) : "null") + "," + jsonKey("text") +
            jsonQuoted(a.text) + "}";
  }
  return json + "]";
}

bool anyActive(const std::vector<DashboardAlarm>& alarms) {
  for (const DashboardAlarm& a : alarms) {
    if (a.active) return true;
  }
  return false;
}

// One sample per configured alarm, labelled with its id.
std::string alarmMetrics(const std::vector<DashboardAlarm>& alarms) {
  std::string text =
      "# HELP tamsel_alarm_active 1 while the alarm is raised, for each configured alarm.\n"
      "# TYPE tamsel_alarm_active gauge\n";
  for (const DashboardAlarm& a : alarms) {
    text += "tamsel_alarm_active{alarm=\"" + a.id + "\"} " + (a.active ? "1" : "0") + "\n";
  }
  return text;
}

// A clock set back makes a reading look newer than now: it is then current.
long long ageSeconds(const DashboardState& state) {
  const long long age = secondsSinceEpoch(state.now) - secondsSinceEpoch(*state.lastFrame);
  return age < 0 ? 0 : age;
}

struct Metric {
  const char* name;
  const char* type;
  const char* help;
  std::string value;
};

}  // namespace

std::string dashboardReadingJson(const DashboardState& state) {
  const Reading& r = state.reading;
  std::string json = "{";
  json += jsonKey("time") + (state.lastFrame ? jsonQuoted(isoDateTime(*state.lastFrame)) : "null");
  json += "," + jsonKey("now") + jsonQuoted(isoDateTime(state.now));
  json += "," + jsonKey("age") + (state.lastFrame ? std::to_string(ageSeconds(state)) : "null");
  json += "," + jsonKey("volts") + jsonNumeral(r.voltsValue);
  json += "," + jsonKey("amps") + jsonNumeral(r.ampsValue);
  json += "," + jsonKey("watts") + jsonNumeral(r.wattsValue);
  json += "," + jsonKey("rpm") + jsonNumeral(r.rpmValue);
  json += "," + jsonKey("windSpeed") + jsonNumeral(r.windSpeed);
  json += "," + jsonKey("windUnits") + jsonQuoted(state.list.windUnits);
  json += "," + jsonKey("showRPM") + jsonBool(state.list.showRPM);
  json += "," + jsonKey("showWindSpeed") + jsonBool(state.list.showWindSpeed);
  json += "," + jsonKey("rows") + rowsJson(state);
  json += "," + jsonKey("wattHoursToday") + jsonNumeral(state.wattHours);
  json += "," + jsonKey("logging") + "{" + jsonKey("on") + jsonBool(state.logging) + "," +
          jsonKey("interval") + jsonQuoted(state.interval) + "}";
  json += "," + jsonKey("portOpen") + jsonBool(state.portOpen);
  json += "," + jsonKey("portProblem") + jsonQuoted(state.portProblem);
  json += "," + jsonKey("lastError") + jsonQuoted(state.lastError);
  json += "," + jsonKey("notice") + jsonQuoted(state.notice);
  json += "," + jsonKey("counters") + countersJson(state.counters);
  json += "," + jsonKey("alarms") + alarmsJson(state.alarms);
  json += "," + jsonKey("alarmActive") + jsonBool(anyActive(state.alarms));
  return json + "}";
}

std::string metricsText(const DashboardState& state) {
  const Reading& r = state.reading;
  const DashboardCounters& c = state.counters;
  const Metric metrics[] = {
      {"tamsel_volts", "gauge", "Battery volts of the latest reading.", jsonNumeral(r.voltsValue)},
      {"tamsel_amps", "gauge", "Charging amps of the latest reading.", jsonNumeral(r.ampsValue)},
      {"tamsel_watts", "gauge", "Watts of the latest reading.", jsonNumeral(r.wattsValue)},
      {"tamsel_rpm", "gauge", "Generator RPM of the latest reading.", jsonNumeral(r.rpmValue)},
      {"tamsel_wind_speed", "gauge", "Wind speed of the latest reading, in the configured unit.",
       jsonNumeral(r.windSpeed)},
      {"tamsel_watt_hours_today", "gauge", "Watt-hours counted since midnight.",
       jsonNumeral(state.wattHours)},
      {"tamsel_energy_watt_hours_total", "counter",
       "Watt-hours counted since the logger started; not reset at midnight.",
       jsonNumeral(state.wattHoursCounted)},
      {"tamsel_frames_total", "counter", "Frames taken from the serial line.",
       std::to_string(c.frames)},
      {"tamsel_checksum_errors_total", "counter", "Frames whose checksum did not match.",
       std::to_string(c.checksumErrors)},
      {"tamsel_records_written_total", "counter", "Records written to the day's log file.",
       std::to_string(c.recordsWritten)},
      {"tamsel_record_write_errors_total", "counter", "Records that could not be written.",
       std::to_string(c.writeErrors)},
      {"tamsel_port_open", "gauge", "1 while the serial port is open.", state.portOpen ? "1" : "0"},
  };
  std::vector<Metric> shown(std::begin(metrics), std::end(metrics));
  if (state.sending) {
    shown.push_back({"tamsel_tsdb_pending_records", "gauge",
                     "Day file records not yet taken by the time-series database.",
                     std::to_string(state.sending->pending)});
    shown.push_back({"tamsel_tsdb_sent_records_total", "counter",
                     "Records the time-series database took since the logger started.",
                     std::to_string(state.sending->sent)});
  }
  std::string text;
  for (const Metric& m : shown) {
    text += std::string("# HELP ") + m.name + " " + m.help + "\n";
    text += std::string("# TYPE ") + m.name + " " + m.type + "\n";
    text += std::string(m.name) + " " + m.value + "\n";
  }
  return text + alarmMetrics(state.alarms);
}

}  // namespace tamsel
