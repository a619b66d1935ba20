#pragma once
// Calendar dates and local times, and every text form files, labels and
// answers give them.
#include <compare>
#include <string>

namespace tamsel {

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  auto operator<=>(const CalendarDate&) const = default;
};

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

inline CalendarDate calendarDate(const LocalDateTime& t) {
  return {t.year, t.month, t.day};
}

// Whether the date exists in the calendar (years 1 to 9999, leap years counted).
bool isRealDate(const CalendarDate& date);

// Minutes since 1970-01-01 00:00 of the same calendar, for comparing moments.
long long minutesSinceEpoch(const LocalDateTime& t);
inline long long secondsSinceEpoch(const LocalDateTime& t) {
  return minutesSinceEpoch(t) * 60 + t.second;
}

// "2010_05_23": file names and log lines.
std::string dateStamp(const CalendarDate& date);
inline std::string dateStamp(const LocalDateTime& t) {
  return dateStamp(calendarDate(t));
}
// "2010-05-23": ISO 8601.
std::string isoDate(const CalendarDate& date);
// "2010-05-23T14:05:33": ISO 8601, local time.
std::string isoDateTime(const LocalDateTime& t);
// "14:05" for a minute of the day: records, labels and ranges.
std::string hourMinute(int minuteOfDay);
inline std::string hourMinute(const LocalDateTime& t) {
  return hourMinute(t.hour * 60 + t.minute);
}
// "14:05:33": the long time form (24-hour).
std::string longTime(const LocalDateTime& t);
// "23/05/2010": the short date form.
std::string shortDate(const LocalDateTime& t);

}  // namespace tamsel
