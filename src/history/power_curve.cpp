#include "history/power_curve.h"

#include <algorithm>

#include "platform/power_curve_grid.h"

namespace tamsel {

void drawPowerCurve(const HistoryStore& store, double firstShown, double lastShown,
                    const std::array<SeriesRange, kSeriesCount>& ranges,
                    const HistorySettings& settings, DisplayList& plot) {
  plot.clear();
  const double wmax = ranges[kWatts].maximum > 0 ? ranges[kWatts].maximum : settings.MP;
  const double rmax = ranges[kRpm].maximum > 0 ? ranges[kRpm].maximum : settings.MR;
  drawPowerCurveGrid(plot, rmax, wmax);
  const double last = std::min(lastShown, static_cast<double>(kHistorySlots - 1));
  for (double i = firstShown; i <= last; i += 1) {
    const int slot = slotAt(i);
    drawPowerCurvePoint(plot, store.values[kRpm][slot], store.values[kWatts][slot], wmax);
  }
  plot.setPenWidth(1);
}

}  // namespace tamsel
