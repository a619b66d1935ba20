#pragma once
// The day's running energy total, `wattHours`, integrated every five seconds
// from the latest power reading and restarted when the date changes.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace tamsel {

class EnergyCounter {
 public:
  // `today`: the local date the total belongs to (the day of start-up).
  explicit EnergyCounter(const LocalDateTime& today) : latest_(today) {}

  double wattHours() const { return wattHours_; }
  // Set from the start-up recount of the day's log file.
  void setWattHours(double wattHours) { wattHours_ = wattHours; }

  // One energy tick (every 5 s, so 1/720 of an hour at `watts`). On the first
  // tick of a later date it first hands back the midnight line with the old
  // day's total, for Whours.txt, and restarts the total from 0.
  std::optional<std::string> tick(const LocalDateTime& now, double watts);

 private:
  // A clock set back by more than this is taken as a correction, not a
  // daylight-saving step or a small adjustment.
  static constexpr long long kCorrectionMinutes = 3 * 60;

  LocalDateTime latest_;  // the latest moment seen: each date is closed once
  double wattHours_ = 0;
};

// "2010_05_24,00:00  1234.6 Wh": the day's total, written at the day change.
std::string midnightLine(const LocalDateTime& now, double wattHours);
// "2010_05_23 17:42  1234.6 Wh": the total when the user leaves.
std::string leavingLine(const LocalDateTime& now, double wattHours);

}  // namespace tamsel
