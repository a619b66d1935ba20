#pragma once
// Local wall-clock time and the text forms files and labels use.
#include <string>

namespace tamsel {

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Minutes since 1970-01-01 00:00 of the same calendar, for comparing moments.
long long minutesSinceEpoch(const LocalDateTime& t);
inline long long secondsSinceEpoch(const LocalDateTime& t) {
  return minutesSinceEpoch(t) * 60 + t.second;
}

// "2010_05_23": file names and log lines.
std::string dateStamp(const LocalDateTime& t);
// "14:05": records and labels.
std::string hourMinute(const LocalDateTime& t);
// "14:05:33": the long time form (24-hour).
std::string longTime(const LocalDateTime& t);
// "23/05/2010": the short date form.
std::string shortDate(const LocalDateTime& t);

// The clock seam: windows ask it for the time so tests can move time by hand.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() const = 0;
  // Seconds on a count that only moves forward, for how long something has
  // lasted: local time jumps an hour twice a year. A clock moved by hand
  // counts its own local seconds.
  virtual long long elapsedSeconds() const { return secondsSinceEpoch(now()); }
};

class SystemClock : public Clock {
 public:
  LocalDateTime now() const override;
  long long elapsedSeconds() const override;
};

}  // namespace tamsel
