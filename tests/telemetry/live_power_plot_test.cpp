#include "telemetry/live_power_plot.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamsel {
namespace {

struct Segment {
  double x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};

std::vector<Segment> segments(const DisplayList& plot, Rgb colour) {
  std::vector<Segment> found;
  for (const DrawnLine& l : plot.lines())
    if (l.colour == colour) found.push_back({l.x1, l.y1, l.x2, l.y2});
  return found;
}

const Rgb kGreen{0, 255, 0};
const Rgb kRed{255, 0, 0};

TEST(LivePowerPlot, EachReadingIsAThickRedStrokeUntilSwitchedOff) {
  DisplayList plot;
  LivePowerPlot live;
  live.addReading(plot, 100, 100, "1000");  // off: nothing
  live.switchOn(plot, "400", "1000");
  live.addReading(plot, 0, 0, "1000");
  live.addReading(plot, 250, 600, "2000");  // a new maximum power places the mark at once
  EXPECT_EQ(segments(plot, kRed),
            (std::vector<Segment>{{0, 1025, -1, 1024}, {250, 1450, 249, 1449}}));
  EXPECT_EQ(plot.lines().back().penWidth, 4);
  live.switchOff(plot);
  EXPECT_TRUE(plot.lines().empty());
  live.switchOn(plot, "600", "3000");  // on again: only the new grid
  EXPECT_TRUE(segments(plot, kRed).empty());
  EXPECT_EQ(segments(plot, kGreen).size(), 11u);
  EXPECT_EQ(plot.scaleWidth(), 630);
}

TEST(LivePowerPlot, UnusableMaximaTakeTheSetupDefaultsSoTheGridIsAlwaysDrawn) {
  for (const char* bad : {"0", "abc", "1e400"}) {
    DisplayList plot;
    LivePowerPlot live;
    live.switchOn(plot, bad, bad);
    EXPECT_EQ(plot.scaleWidth(), 420) << bad;
    EXPECT_EQ(plot.scaleHeight(), 1050) << bad;
    live.addReading(plot, 0, 0, bad);
    EXPECT_EQ(segments(plot, kRed).front(), (Segment{0, 1025, -1, 1024})) << bad;
  }
}

// The marks' store is taken once, when the plot is switched on, and never
// grows: memory stays level however long the plot is left on.
TEST(LivePowerPlot, KeepsTheNewestMarksAndTheGridWhenLeftOnForWeeks) {
  DisplayList plot;
  LivePowerPlot live;
  live.switchOn(plot, "400", "1000");
  const DrawnLine* store = plot.lines().data();
  const size_t capacity = plot.lines().capacity();
  const size_t total = LivePowerPlot::kMaxMarks * 3;
  for (size_t i = 0; i < total; ++i) live.addReading(plot, double(i % 400), double(i), "1000");
  EXPECT_EQ(plot.lines().data(), store);
  EXPECT_EQ(plot.lines().capacity(), capacity);
  EXPECT_EQ(segments(plot, kGreen).size(), 11u);
  const std::vector<Segment> marks = segments(plot, kRed);
  EXPECT_GE(marks.size(), LivePowerPlot::kMaxMarks);
  EXPECT_LE(marks.size(), LivePowerPlot::kMaxMarks * 11 / 10);
  EXPECT_EQ(marks.back().y1, 1025.0 - double(total - 1));  // the newest is kept
  live.switchOff(plot);
  EXPECT_EQ(plot.lines().capacity(), 0u);
}

}  // namespace
}  // namespace tamsel
