#include "web/live_answers.h"

#include "platform/calendar.h"
#include "platform/json_text.h"

namespace tamsel {

WebAnswer LiveAnswers::reading() const {
  return {200, "application/json", dashboardReadingJson(state()), {}};
}

WebAnswer LiveAnswers::metrics() const {
  return {200, "text/plain; version=0.0.4; charset=utf-8", metricsText(state()), {}};
}

WebAnswer LiveAnswers::recentHour(DayAnswers& days) const {
  static const RecentReadings kNone;
  const RecentReadings& readings = recent ? *recent : kNone;
  const LocalDateTime now = clock.now();
  const CalendarDate today = calendarDate(now);
  const long long midnight = secondsSinceEpoch({now.year, now.month, now.day, 0, 0, 0});
  const long long nowSecond = secondsSinceEpoch(now) - midnight;
  const long long hourStart = nowSecond - RecentReadings::kSpanSeconds;
  // Records stand for the minute they are stamped with: the kept readings'
  // first minute is theirs alone.
  long long coveredFrom = nowSecond + 60;
  if (!readings.empty()) coveredFrom = (readings.oldest().second - midnight) / 60 * 60;
  std::string records = "[";
  if (coveredFrom > 0 && coveredFrom > hourStart)
    records += days.recordsJson(today, hourStart, coveredFrom);
  std::string json = "{" + jsonKey("now") + jsonQuoted(isoDateTime(now));
  json += "," + jsonKey("date") + jsonQuoted(isoDate(today));
  json += "," + jsonKey("records") + records + "]";
  json += "," + jsonKey("readings") + readings.json(now);
  return {200, "application/json", json + "}", {}};
}

}  // namespace tamsel
