#pragma once
// The readings of the last hour the logger keeps for the live page, so a
// page opened at any time draws the whole hour at once. A fast board sends
// up to a thousand frames a second: the newest of each second is kept, so
// an hour is at most 3,600 entries, and a frame costs one comparison and a
// copy of a few numbers.
#include <deque>
#include <string>

#include "platform/clock.h"
#include "telemetry/reading.h"

namespace tamsel {

struct RecentReading {
  LocalDateTime at;
  long long second = 0;  // `at` on one count, for ordering and the hour's start
  double volts = 0;
  double amps = 0;
  double watts = 0;
  double rpm = 0;
  double windSpeed = 0;
};

class RecentReadings {
 public:
  static constexpr long long kSpanSeconds = 3600;

  // A reading accepted at `at`. Within one second the newer replaces the
  // older. When the clock goes back (set by hand, the autumn change) what is
  // kept lies in the future of the new time and is dropped: the hour is the
  // one before the logger's clock.
  void add(const LocalDateTime& at, const Reading& reading);

  // Whether anything is kept, and the oldest kept reading.
  bool empty() const { return kept.empty(); }
  const RecentReading& oldest() const { return kept.front(); }
  size_t size() const { return kept.size(); }

  // The readings of the hour before `now`, oldest first, as a JSON array of
  // ["2010-05-23T14:05:33",volts,amps,watts,rpm,windSpeed].
  std::string json(const LocalDateTime& now) const;

 private:
  std::deque<RecentReading> kept;
};

}  // namespace tamsel
