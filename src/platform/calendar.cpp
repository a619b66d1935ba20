#include "platform/calendar.h"

#include <chrono>
#include <cstdio>

namespace tamsel {
namespace {

// Year, month and day as four, two and two digits.
std::string dateText(const CalendarDate& date, char separator) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d%c%02d%c%02d", date.year, separator, date.month, separator,
                date.day);
  return buf;
}

}  // namespace

bool isRealDate(const CalendarDate& date) {
  if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
    return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  return date.day <= days;
}

std::string dateStamp(const CalendarDate& date) {
  return dateText(date, '_');
}

std::string isoDate(const CalendarDate& date) {
  return dateText(date, '-');
}

std::string isoDateTime(const LocalDateTime& t) {
  return isoDate(calendarDate(t)) + "T" + longTime(t);
}

std::string hourMinute(int minuteOfDay) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
  return buf;
}

std::string longTime(const LocalDateTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string shortDate(const LocalDateTime& t) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.day, t.month, t.year);
  return buf;
}

long long minutesSinceEpoch(const LocalDateTime& t) {
  using namespace std::chrono;
  const sys_days date{year{t.year} / month{static_cast<unsigned>(t.month)} /
                      day{static_cast<unsigned>(t.day)}};
  return static_cast<long long>(date.time_since_epoch().count()) * 1440 + t.hour * 60 + t.minute;
}

}  // namespace tamsel
