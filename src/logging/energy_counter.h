#pragma once
// The day's running energy total, `wattHours`, integrated every five seconds
// from the latest power reading while that reading is fresh, and restarted
// when the date changes.
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
  // Start-up again: the day's total starts from 0 (for its recount), and
  // what was counted since the logger started stays.
  void restartDay(const LocalDateTime& today);
  // What the ticks added since the logger started: no recount, no midnight
  // and no negative reading takes anything off, so it never falls.
  double countedWattHours() const { return counted_; }

  // One energy tick (every 5 s, so 1/720 of an hour at `watts`); no watts
  // when the reading is stale, and then nothing is added. On the first tick
  // of a later date it first hands back the midnight line with the old
  // day's total, for Whours.txt, and restarts the total from 0, stale or not.
  std::optional<std::string> tick(const LocalDateTime& now, std::optional<double> watts);

 private:
  // A clock set back by more than this is taken as a correction, not a
  // daylight-saving step or a small adjustment.
  static constexpr long long kCorrectionMinutes = 3 * 60;

  LocalDateTime latest_;  // the latest moment seen: each date is closed once
  double wattHours_ = 0;
  double counted_ = 0;
};

// Frames come about once a second; a reading none has followed for longer
// than two energy ticks no longer stands for what the board makes now.
inline constexpr long long kFreshReadingSeconds = 10;
// Whether a reading accepted at `acceptedAt` (monotonic seconds; none since
// the port opened) still counts at `nowSeconds`.
bool readingIsFresh(std::optional<long long> acceptedAt, long long nowSeconds);

// "2010_05_24,00:00  1234.6 Wh": the day's total, written at the day change.
std::string midnightLine(const LocalDateTime& now, double wattHours);
// "2010_05_23 17:42  1234.6 Wh": the total when the user leaves.
std::string leavingLine(const LocalDateTime& now, double wattHours);

}  // namespace tamsel
