#include "tsdb/record_times.h"

#include <algorithm>
#include <ctime>

namespace tamsel {
namespace {

struct Wall {
  int year, month, day, minuteOfDay;
};

// Unix seconds of a local wall time taken as summer (dst 1) or winter (dst 0)
// time, when that reading exists: the time zone gives back the same wall time.
// mktime of the wall time, with `dst` as its tm_isdst (-1: the zone guesses).
std::time_t localToUnix(const Wall& wall, int dst) {
  std::tm tm{};
  tm.tm_year = wall.year - 1900;
  tm.tm_mon = wall.month - 1;
  tm.tm_mday = wall.day;
  tm.tm_hour = wall.minuteOfDay / 60;
  tm.tm_min = wall.minuteOfDay % 60;
  tm.tm_isdst = dst;
  return std::mktime(&tm);
}

bool unixOf(const Wall& wall, int dst, long long& seconds) {
  const std::time_t t = localToUnix(wall, dst);
  if (t == static_cast<std::time_t>(-1)) return false;
  std::tm back{};
  if (!::localtime_r(&t, &back)) return false;
  if (back.tm_year != wall.year - 1900 || back.tm_mon != wall.month - 1 ||
      back.tm_mday != wall.day || back.tm_hour * 60 + back.tm_min != wall.minuteOfDay) {
    return false;
  }
  seconds = static_cast<long long>(t);
  return true;
}

// Both readings of a wall time: earlier is the summer one in the repeated hour.
struct Readings {
  bool any = false;
  long long earlier = 0, later = 0;
};

Readings readingsOf(const Wall& wall) {
  Readings r;
  for (int dst : {0, 1}) {
    long long t = 0;
    if (!unixOf(wall, dst, t)) continue;
    r.earlier = r.any ? std::min(r.earlier, t) : t;
    r.later = r.any ? std::max(r.later, t) : t;
    r.any = true;
  }
  if (!r.any) {
    // A wall time the clocks jumped over: the zone's own guess, so the
    // record still has one fixed time.
    r.earlier = r.later = static_cast<long long>(localToUnix(wall, -1));
  }
  return r;
}

}  // namespace

RecordTimes::RecordTimes(const CalendarDate& day, int logDelaySeconds)
    : day(day), logDelay(std::max(0, logDelaySeconds)) {
  // Most days have one offset throughout: then a minute is midnight plus
  // minutes, without asking the time zone 1,440 times.
  const Readings first = readingsOf({day.year, day.month, day.day, 0});
  const Readings last = readingsOf({day.year, day.month, day.day, 1439});
  oneOffset = first.earlier == first.later && last.earlier == last.later &&
              last.earlier - first.earlier == 1439 * 60;
  midnight = first.earlier;
}

long long RecordTimes::localMinuteToUnix(int minuteOfDay) const {
  if (oneOffset) return midnight + minuteOfDay * 60LL;
  const Readings r = readingsOf({day.year, day.month, day.day, minuteOfDay});
  return ranBackwards ? r.later : r.earlier;
}

long long RecordTimes::next(int minuteOfDay) {
  if (lastMinute >= 0 && minuteOfDay < lastMinute) ranBackwards = true;
  sameMinute = minuteOfDay == lastMinute ? sameMinute + 1 : 0;
  lastMinute = minuteOfDay;
  const long long extra = std::min<long long>(59, static_cast<long long>(sameMinute) * logDelay);
  return localMinuteToUnix(minuteOfDay) + extra;
}

}  // namespace tamsel
