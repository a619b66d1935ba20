#pragma once
// The performance window's two pictures as display lists: the measured power
// curve over the maker's, and each day's lowest and highest battery volts.
// Each chart gives its axes' extent and grid spacing, which the window shows
// as the axis labels beside the picture.
#include <optional>
#include <vector>

#include "analysis/performance_report.h"
#include "analysis/turbine_settings.h"
#include "platform/display_list.h"

namespace tamsel {

inline constexpr Rgb kChartBackground{255, 255, 255};
inline constexpr Rgb kChartGrid{215, 215, 215};
inline constexpr Rgb kChartAxis{0, 0, 0};
inline constexpr Rgb kMeasuredColour{0, 0, 200};
inline constexpr Rgb kMakerColour{200, 0, 0};
inline constexpr Rgb kLowestColour{0, 0, 200};
inline constexpr Rgb kHighestColour{200, 0, 0};
inline constexpr int kMarkPen = 7;

// One axis: from `lowest` to `highest`, a grid line every `step`.
struct ChartAxis {
  double lowest = 0;
  double highest = 1;
  double step = 1;
};

// The spacing of 1, 2 or 5 times a power of ten that cuts `lowest` to
// `highest` into at most ten steps, and the axis widened to whole steps.
ChartAxis roundAxis(double lowest, double highest);

// Where a value of each axis lies on the picture: a margin of 4 % of each
// axis around the plotted area, y growing downward.
struct ChartFrame {
  ChartAxis across;
  ChartAxis up;
  double x(double value) const;
  double y(double value) const;
  double width() const;
  double height() const;
};

// The complete bins as filled marks, incomplete ones hollow (a square
// outline), each with a bar of ± one standard deviation of power; the
// maker's curve as a line through its points. Wind (m/s) across, watts up.
ChartFrame drawPerformanceCurve(const PerformanceReport& report,
                                const std::optional<std::vector<CurvePoint>>& makersCurve,
                                DisplayList& plot);

// One bar per day from its lowest to its highest volts, the lowest marked
// blue and the highest red. Days across (the first at 0), volts up.
ChartFrame drawBatteryDays(const std::vector<BatteryDay>& days, DisplayList& plot);

}  // namespace tamsel
