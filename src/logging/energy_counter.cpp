#include "logging/energy_counter.h"

#include <cmath>
#include <tuple>

#include "platform/number_format.h"

namespace tamsel {
namespace {

bool dateIsLater(const LocalDateTime& a, const LocalDateTime& b) {
  return std::tie(a.year, a.month, a.day) > std::tie(b.year, b.month, b.day);
}

std::string wattHoursLine(const LocalDateTime& now, char separator, double wattHours) {
  return dateStamp(now) + separator + hourMinute(now) + "  " + formatMask(wattHours, "#####.0") +
         " Wh";
}

}  // namespace

std::string midnightLine(const LocalDateTime& now, double wattHours) {
  return wattHoursLine(now, ',', wattHours);
}

std::string leavingLine(const LocalDateTime& now, double wattHours) {
  return wattHoursLine(now, ' ', wattHours);
}

bool readingIsFresh(std::optional<long long> acceptedAt, long long nowSeconds) {
  return acceptedAt && nowSeconds - *acceptedAt <= kFreshReadingSeconds;
}

void EnergyCounter::restartDay(const LocalDateTime& today) {
  latest_ = today;
  wattHours_ = 0;
}

std::optional<std::string> EnergyCounter::tick(const LocalDateTime& now,
                                               std::optional<double> watts) {
  std::optional<std::string> line;
  // The day changes by the date, not by a window of seconds after midnight,
  // so a late tick (a busy or sleeping machine) still closes the day, and a
  // jump over several days closes it once. Only a date later than any seen
  // closes a day: a clock stepped back a little (daylight saving ending at
  // midnight) never closes a date twice. A clock set back by hours is a
  // correction (of a clock that was set days ahead, say) and is believed, so
  // the coming midnight closes the day again.
  const long long back = minutesSinceEpoch(latest_) - minutesSinceEpoch(now);
  if (dateIsLater(now, latest_)) {
    line = midnightLine(now, wattHours_);
    wattHours_ = 0;
    latest_ = now;
  } else if (back < 0 || back > kCorrectionMinutes) {
    latest_ = now;
  }
  if (!watts) return line;
  // An absurd reading held for days must not make the total infinite, which
  // the masks would print as 0.
  const double added = *watts / 720;
  if (const double next = wattHours_ + added; std::isfinite(next)) wattHours_ = next;
  if (const double next = counted_ + added; added > 0 && std::isfinite(next)) counted_ = next;
  return line;
}

}  // namespace tamsel
