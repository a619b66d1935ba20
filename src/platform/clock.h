#pragma once
// Local wall-clock time, from the system or moved by hand in tests.
#include "platform/calendar.h"

namespace tamsel {

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
