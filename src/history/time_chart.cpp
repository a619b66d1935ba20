#include "history/time_chart.h"

#include <algorithm>
#include <cmath>

#include "history/range_energy.h"
#include "platform/calendar.h"
#include "platform/number_format.h"

namespace tamsel {
namespace {

std::array<double, kSeriesCount> fullScale(const HistorySettings& settings) {
  return {settings.scaleVolts, settings.MA, static_cast<double>(settings.MP), settings.MR, 100};
}

std::string suffixOf(int series, const HistorySettings& settings) {
  static constexpr const char* kUnits[] = {" V", " A", " W", " RPM"};
  return series == kWind ? " " + settings.WSUnits : kUnits[series];
}

// Each series' y, so that its maximum lies 2.5 % of its range below the top
// edge and its minimum 2.5 % above the bottom edge of a surface `span` high.
double yOf(const SeriesRange& range, double value) {
  return (range.maximum - value) + (range.maximum - range.minimum) / 40;
}

}  // namespace

int slotAt(double index) {
  if (!(index > 0)) return 0;  // also NaN
  if (index >= kHistorySlots - 1) return kHistorySlots - 1;
  return static_cast<int>(std::lround(index));
}

std::optional<ChartResult> drawTimeChart(const HistoryStore& store, const ChartView& view,
                                         const HistorySettings& settings, DisplayList& plot) {
  plot.clear();
  plot.setPenWidth(1);
  const double first = view.firstShown;
  const double last = std::min(view.lastShown, static_cast<double>(kHistorySlots - 1));
  if (!(first < last)) return std::nullopt;

  ChartResult result;
  const std::array<double, kSeriesCount> full = fullScale(settings);
  for (int s = 0; s < kSeriesCount; ++s) {
    SeriesRange& range = result.ranges[s];
    if (view.scaled) {
      range.maximum = full[s];
      range.minimum = 0;
      continue;
    }
    // Unscaled: the data's own ends, but the maximum never below 0 and the
    // minimum never above the full scale.
    range.maximum = 0;
    range.minimum = full[s];
    const auto& values = store.values[s];
    for (double i = first; i <= last; i += 1) {
      const double value = values[slotAt(i)];
      range.maximum = std::max(range.maximum, value);
      range.minimum = std::min(range.minimum, value);
    }
  }

  ChartLabels& labels = result.labels;
  labels.stime = hourMinute(store.time[slotAt(first)] / 60);
  labels.ftime = hourMinute(store.time[slotAt(last)] / 60);
  for (int s = 0; s < kSeriesCount; ++s) {
    labels.maximum[s] =
        formatMask(result.ranges[s].maximum, kSeriesLook[s].mask) + suffixOf(s, settings);
    labels.minimum[s] =
        formatMask(result.ranges[s].minimum, kSeriesLook[s].mask) + suffixOf(s, settings);
  }

  plot.setScaleWidth(last - first);
  for (SeriesRange& range : result.ranges) {
    const double width = range.maximum - range.minimum;
    range.span = width > 0 ? width / 20 + width : 2;
  }

  // Where amps or watts cross zero, a line marks the zero of that trace.
  for (int s : {kAmps, kWatts}) {
    const SeriesRange& range = result.ranges[s];
    plot.setScaleHeight(range.span);
    if (range.maximum > 0 && range.minimum < 0)
      plot.line(0, yOf(range, 0), last - first, yOf(range, 0), kReferenceLineColour);
  }

  // Each trace is drawn whole, in table order, so later traces lie over
  // earlier ones and the surface can paint one trace in one pass.
  plot.reserve(plot.lines().size() + static_cast<size_t>(last - first + 1) * kSeriesCount);
  for (int s = 0; s < kSeriesCount; ++s) {
    if (!view.shown[s]) continue;
    const SeriesRange& range = result.ranges[s];
    const auto& values = store.values[s];
    plot.setScaleHeight(range.span);
    const bool flat = !(range.maximum - range.minimum > 0);
    for (double i = first + 1; i <= last; i += 1) {
      const double x = i - first;
      if (flat) {
        plot.line(x - 1, 1, x, 1, kSeriesLook[s].colour);
      } else {
        plot.line(x - 1, yOf(range, values[slotAt(i - 1)]), x, yOf(range, values[slotAt(i)]),
                  kSeriesLook[s].colour);
      }
    }
  }

  result.energyWh = rangeEnergyWh(store, first, last, settings.logDelay);
  labels.energy = formatMask(result.energyWh, "###0") + " Wh";
  return result;
}

double rangeEnergyWh(const HistoryStore& store, double firstShown, double lastShown,
                     double logDelay) {
  const double last = std::min(lastShown, static_cast<double>(kHistorySlots - 1));
  RangeEnergy energy(logDelay);
  for (double i = firstShown; i <= last; i += 1) energy.add(store.values[kWatts][slotAt(i)]);
  return energy.wattHours();
}

}  // namespace tamsel
