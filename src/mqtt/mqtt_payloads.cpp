#include "mqtt/mqtt_payloads.h"

#include <algorithm>

#include "alarms/alarm_text.h"
#include "config/mqtt_config.h"
#include "logging/record_fields.h"
#include "logging/record_line.h"
#include "platform/json_text.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// The key and value of one JSON member, for building objects in order.
std::string member(std::string_view key, std::string_view jsonValue) {
  return jsonKey(key) + std::string(jsonValue);
}

std::string object(const std::vector<std::string>& members) {
  std::string text = "{";
  for (size_t i = 0; i < members.size(); ++i) {
    if (i > 0) text += ",";
    text += members[i];
  }
  return text + "}";
}

// "   123.4Wh" after the record's last tag.
std::string loggedWattHours(std::string_view line) {
  const size_t tagEnd = line.rfind("</M>");
  std::string_view rest = tagEnd == std::string_view::npos ? "" : line.substr(tagEnd + 4);
  if (rest.ends_with("Wh")) rest.remove_suffix(2);
  return jsonNumber(rest);
}

struct Quantity {
  const char* key;  // in the state's JSON and the sensor's id
  const char* name;
  const char* deviceClass;  // "" for none
  const char* unit;
  const char* stateClass;
  const char* state = "reading";  // the topic under the prefix that carries it
};

// Wind speed units a dashboard knows for its wind speed class; others are shown as typed.
bool isKnownWindUnit(std::string_view unit) {
  for (std::string_view known : {"mph", "km/h", "m/s", "kn", "ft/s"}) {
    if (unit == known) return true;
  }
  return false;
}

// The device every sensor and alarm of this logger belongs to.
std::string deviceJson(const DiscoveryNames& names) {
  return object({
      member("identifiers", "[" + jsonQuotedUtf8(names.clientId) + "]"),
      member("name", jsonQuotedUtf8(names.deviceName)),
      member("manufacturer", jsonQuoted("Tamsel")),
      member("model", jsonQuoted("Wind generator logger")),
      member("sw_version", jsonQuoted(names.version)),
  });
}

}  // namespace

int readingExpirySeconds(int readingIntervalSeconds) {
  return std::max(3 * readingIntervalSeconds, 60);
}

std::string jsonNumber(std::string_view text) {
  if (!numericValue(text)) return "null";
  const size_t first = text.find_first_not_of(" \t");
  std::string number(text.substr(first, text.find_last_not_of(" \t") - first + 1));
  if (number.front() == '+') number.erase(0, 1);
  const size_t digits = number.front() == '-' ? 1 : 0;
  if (number[digits] == '.') number.insert(digits, "0");
  if (number.back() == '.') number += "0";
  return number;
}

std::string readingJson(const Reading& reading, double wattHoursToday, std::string_view windUnits,
                        const LocalDateTime& at) {
  return object({
      member("time", jsonQuoted(isoDateTime(at))),
      member("volts", jsonNumber(reading.volts)),
      member("amps", jsonNumber(reading.amps)),
      member("watts", jsonNumber(reading.watts)),
      member("rpm", jsonNumber(reading.rpm)),
      member("wind_speed", jsonNumber(plainNumberText(reading.windSpeed))),
      member("wind_speed_unit", jsonQuoted(windUnits)),
      member("watt_hours_today", jsonNumber(formatMask(wattHoursToday, "0.0"))),
  });
}

std::string recordJson(const LocalDateTime& at, const AveragedValues& values, double wattHours,
                       std::string_view windUnits) {
  const std::string line = recordLine(at, values, wattHours);
  const RecordFieldTexts fields = recordFields(line);
  auto field = [&](RecordField f) { return jsonNumber(fields[f].value_or("")); };
  return object({
      member("date", jsonQuoted(isoDate(calendarDate(at)))),
      member("time", jsonQuoted(fields[RecordField::Time].value_or(""))),
      member("volts", field(RecordField::Volts)),
      member("amps", field(RecordField::Amps)),
      member("watts", field(RecordField::Watts)),
      member("rpm", field(RecordField::Rpm)),
      member("wind_speed", field(RecordField::WindSpeed)),
      member("wind_speed_unit", jsonQuoted(windUnits)),
      member("watt_hours_today", loggedWattHours(line)),
  });
}

std::vector<RetainedMessage> discoveryMessages(const DiscoveryNames& names,
                                               std::string_view windUnits) {
  const std::string windClass = isKnownWindUnit(windUnits) ? "wind_speed" : "";
  const std::string wind(windUnits);
  const Quantity quantities[] = {
      {"volts", "Battery voltage", "voltage", "V", "measurement"},
      {"amps", "Charging current", "current", "A", "measurement"},
      {"watts", "Charging power", "power", "W", "measurement"},
      {"rpm", "Rotor speed", "", "rpm", "measurement"},
      {"wind_speed", "Wind speed", windClass.c_str(), wind.c_str(), "measurement"},
      // The day's total starts again at midnight: an increasing total that resets.
      {"watt_hours_today", "Energy today", "energy", "Wh", "total_increasing"},
      // Charging and discharging both count, so the day's sum may fall.
      {"amp_hours_today", "Charge today", "", "Ah", "measurement", "battery"},
      {"days_since_full", "Days since full", "duration", "d", "measurement", "battery"},
  };
  const std::string device = deviceJson(names);
  const std::string expiry = std::to_string(readingExpirySeconds(names.readingIntervalSeconds));
  std::vector<RetainedMessage> messages;
  for (const Quantity& q : quantities) {
    const std::string id = idText(names.clientId) + "_" + q.key;
    const std::string_view state = q.state;
    std::vector<std::string> members = {
        member("name", jsonQuoted(q.name)),
        member("unique_id", jsonQuoted(id)),
        member("state_topic", jsonQuotedUtf8(names.topic + "/" + std::string(state))),
        member("value_template", jsonQuoted(std::string("{{ value_json.") + q.key + " }}")),
    };
    if (*q.unit) members.push_back(member("unit_of_measurement", jsonQuoted(q.unit)));
    if (*q.deviceClass) members.push_back(member("device_class", jsonQuoted(q.deviceClass)));
    members.push_back(member("state_class", jsonQuoted(q.stateClass)));
    // A reading's sensor shows the reading: a board that falls silent shows
    // as unavailable. The battery's stand from one record to the next.
    if (state == "reading") members.push_back(member("expire_after", expiry));
    members.push_back(member("availability_topic", jsonQuotedUtf8(names.topic + "/status")));
    members.push_back(member("device", device));
    messages.push_back({"homeassistant/sensor/" + id + "/config", object(members)});
  }
  return messages;
}

std::string batteryStateJson(std::optional<double> ampHoursToday,
                             std::optional<int> daysSinceFull) {
  return object({
      member("amp_hours_today",
             ampHoursToday ? jsonNumber(formatMask(*ampHoursToday, "0.00")) : "null"),
      member("days_since_full", daysSinceFull ? std::to_string(*daysSinceFull) : "null"),
  });
}

std::string alarmJson(const AlarmBoard& board) {
  std::vector<std::string> alarms;
  for (AlarmKind kind : kAlarmKinds) {
    if (!board.settings.configured(kind)) continue;
    const AlarmState& state = board.states[indexOf(kind)];
    alarms.push_back(member(
        alarmKindInfo(kind).id,
        object({
            member("state", jsonQuoted(state.active ? "on" : "off")),
            member("threshold", jsonNumber(alarmLimitText(*board.settings.limits[indexOf(kind)]))),
            member("value", state.active ? jsonNumber(alarmValueText(kind, state.value)) : "null"),
            member("since", state.since ? jsonQuoted(isoDateTime(*state.since)) : "null"),
        })));
  }
  return object(alarms);
}

std::vector<RetainedMessage> alarmDiscoveryMessages(const DiscoveryNames& names,
                                                    const AlarmSettings& settings) {
  const std::string device = deviceJson(names);
  const std::string stateTopic = jsonQuotedUtf8(names.topic + "/alarm");
  std::vector<RetainedMessage> messages;
  for (AlarmKind kind : kAlarmKinds) {
    const AlarmKindInfo& info = alarmKindInfo(kind);
    const std::string id = idText(names.clientId) + "_alarm_" + std::string(info.id);
    const std::string topic = "homeassistant/binary_sensor/" + id + "/config";
    if (!settings.configured(kind)) {
      messages.push_back({topic, ""});
      continue;
    }
    const std::string value = "value_json." + std::string(info.id);
    messages.push_back(
        {topic, object({
                    member("name", jsonQuoted(info.name)),
                    member("unique_id", jsonQuoted(id)),
                    member("state_topic", stateTopic),
                    member("value_template", jsonQuoted("{{ " + value + ".state }}")),
                    member("payload_on", jsonQuoted("on")),
                    member("payload_off", jsonQuoted("off")),
                    member("device_class", jsonQuoted("problem")),
                    member("json_attributes_topic", stateTopic),
                    member("json_attributes_template", jsonQuoted("{{ " + value + " | tojson }}")),
                    member("availability_topic", jsonQuotedUtf8(names.topic + "/status")),
                    member("device", device),
                })});
  }
  return messages;
}

}  // namespace tamsel
