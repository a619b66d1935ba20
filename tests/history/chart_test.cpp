#include <gtest/gtest.h>

#include <memory>

#include "history/power_curve.h"
#include "history/time_chart.h"
#include "platform/power_curve_grid.h"

namespace tamsel {
namespace {

// 60 s a record; full scales 17.5 V, 20 A, 1000 W, 400 RPM.
const HistorySettings kSettings{60, 17.5, 20, 400, 1000, "mph"};

// Records 1..count, a minute apart from 00:01, every series at its own value.
std::unique_ptr<HistoryStore> storeOf(int count, std::array<double, kSeriesCount> values) {
  auto store = std::make_unique<HistoryStore>();
  for (int i = 1; i <= count; ++i) {
    store->time[i] = i * 60;
    for (int s = 0; s < kSeriesCount; ++s) store->values[s][i] = values[s];
  }
  return store;
}

std::vector<DrawnLine> linesIn(const DisplayList& plot, Rgb colour) {
  std::vector<DrawnLine> found;
  for (const DrawnLine& line : plot.lines())
    if (line.colour == colour) found.push_back(line);
  return found;
}

TEST(TimeChart, ScaledViewShowsTheFullScalesAndPlacesValuesInEachSeriesOwnScale) {
  auto store = storeOf(3, {17.5, 0, 500, 400, 100});
  DisplayList plot;
  const auto chart = drawTimeChart(*store, {1, 3}, kSettings, plot);
  ASSERT_TRUE(chart);
  const char* maxima[] = {"17.50 V", "20.0 A", "1000 W", "400 RPM", "100 mph"};
  const char* minima[] = {"0.00 V", "0.0 A", "0 W", "0 RPM", "0 mph"};
  for (int s = 0; s < kSeriesCount; ++s) {
    EXPECT_EQ(chart->labels.maximum[s], maxima[s]);
    EXPECT_EQ(chart->labels.minimum[s], minima[s]);
  }
  // Wind is not shown by default: four traces of two segments each.
  ASSERT_EQ(plot.lines().size(), 8u);
  const DrawnLine& volts = plot.lines()[0];  // at its maximum: 2.5 % below the top
  EXPECT_EQ(volts.colour, (Rgb{255, 0, 0}));
  EXPECT_DOUBLE_EQ(volts.scaleHeight, 17.5 * 1.05);
  EXPECT_DOUBLE_EQ(volts.y1, 17.5 / 40);
  EXPECT_EQ(volts.x1, 0);
  EXPECT_EQ(volts.x2, 1);
  const DrawnLine& amps = plot.lines()[2];  // at 0: 2.5 % above the bottom
  EXPECT_DOUBLE_EQ(amps.y1, 20 + 20.0 / 40);
  const DrawnLine& watts = plot.lines()[4];  // half way
  EXPECT_DOUBLE_EQ(watts.y1, 500 + 1000.0 / 40);
  EXPECT_DOUBLE_EQ(watts.scaleHeight, 1050);
}

// The unscaled view follows the data: one value throughout is a flat line
// across the middle.
TEST(TimeChart, UnscaledViewFollowsTheData) {
  auto store = storeOf(4, {12, 7, 100, 200, 7});
  DisplayList plot;
  ChartView view{1, 4};
  view.scaled = false;
  view.shown = {false, true, false, false, false};
  const auto chart = drawTimeChart(*store, view, kSettings, plot);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->ranges[kAmps].maximum, 7);
  EXPECT_EQ(chart->labels.maximum[kAmps], "7.0 A");
  const std::vector<DrawnLine> trace = linesIn(plot, {0, 255, 0});
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_EQ(trace[0].y1, 1);
  EXPECT_EQ(trace[0].scaleHeight, 2);
}

// Full scales of 0 in prog.cfg take the setup window's 400 RPM and 1000 W.
TEST(PowerCurve, ZeroMaximaAndFullScalesFallBackAndDotsFollowTheGridsWatts) {
  auto store = storeOf(2, {12, 3, 250, 300, 7});
  DisplayList plot;
  std::array<SeriesRange, kSeriesCount> ranges{};  // no time chart yet
  HistorySettings zero = kSettings;
  zero.MR = 0;
  zero.MP = 0;
  drawPowerCurve(*store, 1, 2, ranges, zero, plot);
  EXPECT_EQ(plot.scaleWidth(), 420);
  EXPECT_EQ(plot.scaleHeight(), 1050);
  const std::vector<DrawnLine> dots = linesIn(plot, kPowerPointColour);
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ(dots[0].x1, 300);
  EXPECT_EQ(dots[0].y1, 1000 - 250 + 25);
  EXPECT_EQ(dots[0].penWidth, 4);
  EXPECT_EQ(plot.penWidth(), 1);

  ranges[kWatts].maximum = 250;  // Unscaled: the data's maximum
  ranges[kRpm].maximum = 300;
  drawPowerCurve(*store, 1, 2, ranges, kSettings, plot);
  EXPECT_EQ(plot.scaleHeight(), 250 * 1.05);
  EXPECT_EQ(linesIn(plot, kPowerPointColour)[0].y1, 250.0 / 40);  // inside the top edge
}

}  // namespace
}  // namespace tamsel
