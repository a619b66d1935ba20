#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "logging/energy_counter.h"
#include "logging/energy_recount.h"

namespace tamsel {
namespace {

std::string record(const char* watts) {
  return std::string("<T>10:00</T><V>12.50</V><I>3.0</I><W>") + watts +
         "</W><R>300</R><S>5</S><M></M>   12.0Wh\r\n";
}

// Each finite, but together more than a double holds: the total stays finite.
TEST(EnergyRecount, StaysFiniteWhenTheSumWouldOverflow) {
  EXPECT_TRUE(std::isfinite(recountWattHours(record("1.7e308") + record("1.7e308"), 3600)));
}

TEST(EnergyCounter, ClosesEachDateOnceWithItsTotal) {
  constexpr double kMost = std::numeric_limits<double>::max();
  constexpr std::nullopt_t kStale = std::nullopt;
  struct Tick {
    LocalDateTime at;
    std::optional<double> watts;
    const char* line;  // nullptr: none
  };
  const struct {
    const char* why;
    LocalDateTime start;
    double wattHours;  // recounted at start-up
    std::vector<Tick> ticks;
    double after;
    double counted;  // since the start, recount aside
  } cases[] = {
      {"an absurd reading leaves the total finite",
       {2010, 5, 23, 12, 0, 0},
       kMost,
       {{{2010, 5, 23, 12, 0, 0}, kMost, nullptr}},
       kMost,
       kMost / 720},
      {"a stale reading adds nothing, and midnight still closes the day",
       {2010, 5, 23, 23, 59, 50},
       10,
       {{{2010, 5, 23, 23, 59, 55}, kStale, nullptr},
        {{2010, 5, 24, 0, 0, 0}, kStale, "2010_05_24,00:00  10.0 Wh"},
        {{2010, 5, 24, 0, 0, 5}, 720, nullptr}},
       1,
       1},
      {"a negative reading takes from the day, never from the count",
       {2010, 5, 23, 12, 0, 0},
       0,
       {{{2010, 5, 23, 12, 0, 0}, 720, nullptr}, {{2010, 5, 23, 12, 0, 5}, -720, nullptr}},
       0,
       1},
      {"the tick at midnight closes the day and starts the next",
       {2010, 5, 23, 23, 59, 50},
       1234.56,
       {{{2010, 5, 23, 23, 59, 50}, 72, nullptr},
        {{2010, 5, 23, 23, 59, 55}, 72, nullptr},
        {{2010, 5, 24, 0, 0, 0}, 72, "2010_05_24,00:00  1234.8 Wh"}},
       0.1,
       0.3},
      {"daylight saving ending at midnight closes the date once",
       {2010, 10, 30, 23, 59, 58},
       50,
       {{{2010, 10, 31, 0, 0, 3}, 0, "2010_10_31,00:00  50.0 Wh"},
        {{2010, 10, 30, 23, 0, 8}, 720, nullptr},
        {{2010, 10, 31, 0, 0, 3}, 720, nullptr}},
       2,
       2},
      // Set days ahead by mistake: the jump closes the day once; the
      // correction is believed, so the real midnight still closes the day.
      {"a clock corrected backwards closes the coming midnight",
       {2010, 5, 23, 10, 0, 0},
       0,
       {{{2010, 5, 27, 10, 0, 0}, 0, "2010_05_27,10:00  .0 Wh"},
        {{2010, 5, 23, 10, 0, 5}, 720, nullptr},
        {{2010, 5, 23, 23, 59, 55}, 720, nullptr},
        {{2010, 5, 24, 0, 0, 0}, 0, "2010_05_24,00:00  2.0 Wh"}},
       0,
       2},
  };
  for (const auto& c : cases) {
    EnergyCounter energy(c.start);
    energy.setWattHours(c.wattHours);
    for (const Tick& t : c.ticks) {
      const std::optional<std::string> line = energy.tick(t.at, t.watts);
      EXPECT_EQ(line, t.line ? std::optional<std::string>(t.line) : std::nullopt) << c.why;
    }
    EXPECT_NEAR(energy.wattHours(), c.after, 1e-9) << c.why;
    EXPECT_NEAR(energy.countedWattHours(), c.counted, 1e-9) << c.why;
    energy.restartDay(c.start);  // start-up again: the count stays
    EXPECT_EQ(energy.wattHours(), 0) << c.why;
    EXPECT_NEAR(energy.countedWattHours(), c.counted, 1e-9) << c.why;
  }
}

}  // namespace
}  // namespace tamsel
