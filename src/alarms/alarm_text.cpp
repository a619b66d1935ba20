#include "alarms/alarm_text.h"

#include "platform/number_format.h"

namespace tamsel {
namespace {

// " V"; the wind's unit is the user's, and may be empty.
std::string unitSuffix(AlarmKind kind, std::string_view windUnits) {
  const std::string_view unit = kind == AlarmKind::HighWind ? windUnits : alarmKindInfo(kind).unit;
  return unit.empty() ? std::string() : " " + std::string(unit);
}

std::string levelText(AlarmKind kind, const AlarmEvent& event, std::string_view windUnits) {
  const AlarmKindInfo& info = alarmKindInfo(kind);
  const std::string unit = unitSuffix(kind, windUnits);
  // Raised past the limit; cleared back past it the other way.
  const bool below = info.below == event.raised;
  return std::string(info.quantity) + " at " + alarmValueText(kind, event.value) + unit + ", " +
         (below ? "below " : "above ") + alarmLimitText(event.limit) + unit;
}

std::string causeText(const AlarmEvent& event, std::string_view windUnits) {
  switch (event.cause) {
    case AlarmEvent::Cause::Level:
      return levelText(event.kind, event, windUnits);
    case AlarmEvent::Cause::Silent:
      return "no data from the board for " + alarmLimitText(roundDecimal(event.value, 1)) +
             " minutes";
    case AlarmEvent::Cause::PortLost:
      return "the port lost for " + alarmLimitText(roundDecimal(event.value, 1)) + " minutes";
    case AlarmEvent::Cause::DataAgain:
      return "data again";
    case AlarmEvent::Cause::LimitChanged:
      return "its limit was changed";
  }
  return {};
}

}  // namespace

std::string alarmValueText(AlarmKind kind, double value) {
  switch (alarmKindInfo(kind).watches) {
    case WatchedReading::Volts:
    case WatchedReading::Amps:
      return formatMask(value, "0.00");
    case WatchedReading::Rpm:
      return formatMask(value, "0");
    case WatchedReading::WindSpeed:
      return formatMask(value, "0.0");
  }
  return {};
}

std::string alarmLimitText(double limit) {
  return plainNumberText(roundDecimal(limit, 3));
}

std::string alarmLine(const AlarmEvent& event, std::string_view windUnits) {
  return std::string(alarmKindInfo(event.kind).key) + " alarm " +
         (event.raised ? "raised: " : "cleared: ") + causeText(event, windUnits);
}

namespace {

std::string timesText(int times) {
  return times == 1 ? "once" : std::to_string(times) + " times";
}

}  // namespace

std::string alarmSummaryLine(AlarmKind kind, int raises, int clears, bool nowRaised) {
  std::string changes;
  if (raises == clears) {
    changes = "raised and cleared " + timesText(raises);
  } else if (clears == 0) {
    changes = "raised " + timesText(raises);
  } else if (raises == 0) {
    changes = "cleared " + timesText(clears);
  } else {
    changes = "raised " + timesText(raises) + " and cleared " + timesText(clears);
  }
  return std::string(alarmKindInfo(kind).key) + " " + changes + " in the last minute; now " +
         (nowRaised ? "raised" : "cleared");
}

std::string alarmTellingLine(const AlarmTelling& telling, std::string_view windUnits) {
  if (!telling.summary()) return alarmLine(telling.event, windUnits);
  return alarmSummaryLine(telling.event.kind, telling.raises, telling.clears, telling.event.raised);
}

AlarmHeadline alarmHeadline(const std::string& line) {
  const size_t colon = line.find(": ");
  if (colon == std::string::npos) return {line, {}};
  return {line.substr(0, colon), line.substr(colon + 2)};
}

std::vector<std::string> commandArguments(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t blank = line.find(' ', at);
    const size_t end = blank == std::string::npos ? line.size() : blank;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

std::string alarmTooltip(AlarmKind kind, const AlarmState& state, const AlarmSettings& settings,
                         std::string_view windUnits) {
  if (!state.active || !state.since || !settings.configured(kind)) return {};
  const AlarmKindInfo& info = alarmKindInfo(kind);
  const std::string unit = unitSuffix(kind, windUnits);
  // A silent board is silent since its last frame, not since the alarm said so.
  const LocalDateTime& since =
      kind == AlarmKind::NoData ? state.silentSince.value_or(*state.since) : *state.since;
  const std::string name =
      std::string(info.name) + " since " + dateStamp(since) + " " + longTime(since) + ": ";
  if (kind == AlarmKind::NoData) {
    return name + "nothing from the board for " + alarmLimitText(*settings.limits[indexOf(kind)]) +
           " minutes";
  }
  return name + (info.below ? "below " : "above ") +
         alarmLimitText(*settings.limits[indexOf(kind)]) + unit + " (" +
         alarmValueText(kind, state.value) + unit + "); clears " +
         (info.below ? "above " : "below ") + alarmLimitText(settings.clearLevel(kind)) + unit;
}

}  // namespace tamsel
