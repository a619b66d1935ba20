#include "platform/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tamsel {

std::string dateStamp(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d_%02d_%02d", t.year, t.month, t.day);
  return buf;
}

std::string hourMinute(const LocalDateTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
  return buf;
}

std::string longTime(const LocalDateTime& t) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string shortDate(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.day, t.month, t.year);
  return buf;
}

long long minutesSinceEpoch(const LocalDateTime& t) {
  using namespace std::chrono;
  const sys_days date{year{t.year} / month{static_cast<unsigned>(t.month)} /
                      day{static_cast<unsigned>(t.day)}};
  return static_cast<long long>(date.time_since_epoch().count()) * 1440 + t.hour * 60 + t.minute;
}

LocalDateTime SystemClock::now() const {
  const std::time_t seconds = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &seconds);
#else
  localtime_r(&seconds, &tm);
#endif
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

long long SystemClock::elapsedSeconds() const {
  using namespace std::chrono;
  return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace tamsel
