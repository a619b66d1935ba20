#include "web/glance_figures.h"

#include <algorithm>
#include <chrono>

#include "platform/json_text.h"

namespace tamsel {
namespace {

constexpr int kLastMinute = 23 * 60 + 59;

std::string orNull(const std::optional<double>& value) {
  return value ? jsonNumeral(*value) : "null";
}

std::string member(std::string_view key, const std::string& json) {
  return jsonKey(key) + json;
}

int daysInMonth(int year, int month) {
  const auto last = std::chrono::year{year} / month / std::chrono::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

std::string comparisonJson(const Comparison& c, double now) {
  return "{" + member("from", jsonQuoted(isoDate(c.stretch.from))) + "," +
         member("to", jsonQuoted(isoDate(c.stretch.to))) + "," +
         member("until", jsonQuoted(hourMinute(c.stretch.lastMinute))) + "," +
         member("wattHours", orNull(c.wattHours)) + "," +
         member("percent", orNull(percentChange(now, c.wattHours))) + "}";
}

std::string todayJson(const GlanceFigures& f) {
  std::string json = "{" + member("wattHours", jsonNumeral(f.todayWattHours));
  const std::optional<BatteryDay>& d = f.today;
  const auto figure = [&](std::string_view key, double BatteryDay::*field) {
    json += "," + member(key, d ? jsonNumeral((*d).*field) : "null");
  };
  const auto time = [&](std::string_view key, std::string BatteryDay::*field) {
    json += "," + member(key, d ? jsonQuoted((*d).*field) : "null");
  };
  figure("ampHours", &BatteryDay::ampHours);
  figure("minVolts", &BatteryDay::minVolts);
  time("minAt", &BatteryDay::minAt);
  figure("maxVolts", &BatteryDay::maxVolts);
  time("maxAt", &BatteryDay::maxAt);
  figure("peakWatts", &BatteryDay::peakWatts);
  time("peakAt", &BatteryDay::peakAt);
  figure("maxWind", &BatteryDay::maxWind);
  figure("maxRpm", &BatteryDay::maxRpm);
  return json + "," + member("windUnits", jsonQuoted(f.windUnits)) + "}";
}

}  // namespace

std::string batteryState(std::optional<double> volts, const BatteryLimits& limits) {
  if (!volts) return {};
  if (limits.highVolts && *volts > *limits.highVolts) return "High";
  if (limits.lowVolts && *volts < *limits.lowVolts) return "Low";
  if (limits.fullVolts && *volts >= *limits.fullVolts) return "Full";
  return "OK";
}

Stretch monthSoFar(const LocalDateTime& now) {
  return {{now.year, now.month, 1}, calendarDate(now), now.hour * 60 + now.minute};
}

Stretch yearSoFar(const LocalDateTime& now) {
  return {{now.year, 1, 1}, calendarDate(now), now.hour * 60 + now.minute};
}

Stretch monthsEarlier(const Stretch& stretch, int months) {
  const auto shifted = [months](const CalendarDate& date) {
    const int index = date.year * 12 + (date.month - 1) - months;
    return CalendarDate{index / 12, index % 12 + 1, date.day};
  };
  Stretch earlier{shifted(stretch.from), shifted(stretch.to), stretch.lastMinute};
  const int last = daysInMonth(earlier.to.year, earlier.to.month);
  if (earlier.to.day > last) {
    earlier.to.day = last;
    earlier.lastMinute = kLastMinute;
  }
  earlier.from.day = std::min(earlier.from.day, daysInMonth(earlier.from.year, earlier.from.month));
  return earlier;
}

std::optional<double> percentChange(double now, std::optional<double> before) {
  if (!before || *before == 0) return std::nullopt;
  return (now - *before) / *before * 100;
}

std::string glanceJson(const GlanceFigures& f) {
  const BatteryLimits& l = f.limits;
  const std::string state = batteryState(f.volts, l);
  std::string json = "{" + member("now", jsonQuoted(isoDateTime(f.now)));
  json += "," + member("battery",
                       "{" + member("state", state.empty() ? "null" : jsonQuoted(state)) + "," +
                           member("volts", orNull(f.volts)) + "," + member("age", orNull(f.age)) +
                           "," + member("lowVolts", orNull(l.lowVolts)) + "," +
                           member("fullVolts", orNull(l.fullVolts)) + "," +
                           member("highVolts", orNull(l.highVolts)) + "}");
  json += "," + member("today", todayJson(f));
  const Stretch month = monthSoFar(f.now);
  json +=
      "," + member("month",
                   "{" + member("wattHours", jsonNumeral(f.monthWattHours)) + "," +
                       member("from", jsonQuoted(isoDate(month.from))) + "," +
                       member("to", jsonQuoted(isoDate(month.to))) + "," +
                       member("lastMonth", comparisonJson(f.lastMonth, f.monthWattHours)) + "," +
                       member("lastYear", comparisonJson(f.monthLastYear, f.monthWattHours)) + "}");
  const Stretch year = yearSoFar(f.now);
  json += "," +
          member("year", "{" + member("wattHours", jsonNumeral(f.yearWattHours)) + "," +
                             member("from", jsonQuoted(isoDate(year.from))) + "," +
                             member("to", jsonQuoted(isoDate(year.to))) + "," +
                             member("lastYear", comparisonJson(f.lastYear, f.yearWattHours)) + "}");
  return json + "}";
}

}  // namespace tamsel
