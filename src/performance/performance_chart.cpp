#include "performance/performance_chart.h"

#include <algorithm>
#include <cmath>

namespace tamsel {
namespace {

constexpr double kMargin = 0.04;  // of each axis' extent, on each side

void drawGrid(const ChartFrame& frame, DisplayList& plot) {
  plot.clear();
  plot.setBackground(kChartBackground);
  plot.setScale(frame.width(), frame.height());
  plot.setPenWidth(1);
  const ChartAxis& a = frame.across;
  const ChartAxis& u = frame.up;
  // The grid's lines stop at whole steps: a few steps' worth of rounding
  // must not add one more line.
  const double acrossSteps = std::round((a.highest - a.lowest) / a.step);
  const double upSteps = std::round((u.highest - u.lowest) / u.step);
  for (double i = 1; i <= acrossSteps; ++i) {
    const double x = frame.x(a.lowest + i * a.step);
    plot.line(x, frame.y(u.lowest), x, frame.y(u.highest), kChartGrid);
  }
  for (double i = 1; i <= upSteps; ++i) {
    const double y = frame.y(u.lowest + i * u.step);
    plot.line(frame.x(a.lowest), y, frame.x(a.highest), y, kChartGrid);
  }
  plot.line(frame.x(a.lowest), frame.y(u.lowest), frame.x(a.highest), frame.y(u.lowest),
            kChartAxis);
  plot.line(frame.x(a.lowest), frame.y(u.lowest), frame.x(a.lowest), frame.y(u.highest),
            kChartAxis);
}

// A thick stroke of no length: the surface fills it as a small square.
void filledMark(const ChartFrame& frame, double across, double up, Rgb colour, DisplayList& plot) {
  plot.setPenWidth(kMarkPen);
  plot.line(frame.x(across), frame.y(up), frame.x(across), frame.y(up), colour);
  plot.setPenWidth(1);
}

void hollowMark(const ChartFrame& frame, double across, double up, Rgb colour, DisplayList& plot) {
  // About as large as a filled mark on a picture a few hundred pixels wide.
  const double dx = frame.width() * 0.008;
  const double dy = frame.height() * 0.012;
  const double x = frame.x(across), y = frame.y(up);
  plot.setPenWidth(2);
  plot.line(x - dx, y - dy, x + dx, y - dy, colour);
  plot.line(x + dx, y - dy, x + dx, y + dy, colour);
  plot.line(x + dx, y + dy, x - dx, y + dy, colour);
  plot.line(x - dx, y + dy, x - dx, y - dy, colour);
  plot.setPenWidth(1);
}

}  // namespace

ChartAxis roundAxis(double lowest, double highest) {
  if (!(highest > lowest)) highest = lowest + 1;
  const double span = highest - lowest;
  double step = std::pow(10.0, std::floor(std::log10(span / 10)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (step * factor) <= 10 + 1e-9) {
      step *= factor;
      break;
    }
  }
  return {std::floor(lowest / step + 1e-9) * step, std::ceil(highest / step - 1e-9) * step, step};
}

double ChartFrame::width() const {
  return (across.highest - across.lowest) * (1 + 2 * kMargin);
}

double ChartFrame::height() const {
  return (up.highest - up.lowest) * (1 + 2 * kMargin);
}

double ChartFrame::x(double value) const {
  return (across.highest - across.lowest) * kMargin + value - across.lowest;
}

double ChartFrame::y(double value) const {
  return (up.highest - up.lowest) * (1 + kMargin) - (value - up.lowest);
}

ChartFrame drawPerformanceCurve(const PerformanceReport& report,
                                const std::optional<std::vector<CurvePoint>>& makersCurve,
                                DisplayList& plot) {
  double windest = 0, most = 0;
  for (const PowerBin& bin : report.bins) {
    windest = std::max(windest, bin.wind);
    most = std::max(most, bin.power + bin.powerStd);
  }
  if (makersCurve) {
    for (const CurvePoint& point : *makersCurve) {
      windest = std::max(windest, point.wind);
      most = std::max(most, point.watts);
    }
  }
  // A turbine can draw power in a calm: the axis reaches below 0 W then.
  double least = 0;
  for (const PowerBin& bin : report.bins) least = std::min(least, bin.power - bin.powerStd);
  const ChartFrame frame{roundAxis(0, windest), roundAxis(least, most)};
  drawGrid(frame, plot);
  if (makersCurve) {
    plot.setPenWidth(2);
    for (size_t i = 1; i < makersCurve->size(); ++i) {
      const CurvePoint& a = (*makersCurve)[i - 1];
      const CurvePoint& b = (*makersCurve)[i];
      plot.line(frame.x(a.wind), frame.y(a.watts), frame.x(b.wind), frame.y(b.watts), kMakerColour);
    }
    plot.setPenWidth(1);
  }
  for (const PowerBin& bin : report.bins) {
    const double x = frame.x(bin.wind);
    plot.line(x, frame.y(bin.power - bin.powerStd), x, frame.y(bin.power + bin.powerStd),
              kMeasuredColour);
    // Without MinBinMinutes a bin's completeness is unknown: it is drawn
    // hollow, as one that cannot be counted on.
    if (bin.complete.value_or(false)) {
      filledMark(frame, bin.wind, bin.power, kMeasuredColour, plot);
    } else {
      hollowMark(frame, bin.wind, bin.power, kMeasuredColour, plot);
    }
  }
  return frame;
}

ChartFrame drawBatteryDays(const std::vector<BatteryDay>& days, DisplayList& plot) {
  double lowest = days.empty() ? 0 : days.front().minVolts;
  double highest = days.empty() ? 1 : days.front().maxVolts;
  for (const BatteryDay& day : days) {
    lowest = std::min(lowest, day.minVolts);
    highest = std::max(highest, day.maxVolts);
  }
  const ChartFrame frame{roundAxis(0, std::max<double>(1, static_cast<double>(days.size()))),
                         roundAxis(lowest, highest)};
  drawGrid(frame, plot);
  for (size_t i = 0; i < days.size(); ++i) {
    const double at = static_cast<double>(i) + 0.5;
    plot.line(frame.x(at), frame.y(days[i].minVolts), frame.x(at), frame.y(days[i].maxVolts),
              kChartAxis);
    filledMark(frame, at, days[i].minVolts, kLowestColour, plot);
    filledMark(frame, at, days[i].maxVolts, kHighestColour, plot);
  }
  return frame;
}

}  // namespace tamsel
