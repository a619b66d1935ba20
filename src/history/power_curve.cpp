#include "history/power_curve.h"

#include <algorithm>

#include "config/program_config.h"
#include "platform/power_curve_grid.h"

namespace tamsel {

void drawPowerCurve(const HistoryStore& store, double firstShown, double lastShown,
                    const std::array<SeriesRange, kSeriesCount>& ranges,
                    const HistorySettings& settings, DisplayList& plot) {
  plot.clear();
  // A maximum of 0 (MR or MP 0, or no time chart yet) would give the grid no
  // size: the configured full scale, then the setup window's, stand in.
  auto scale = [](double maximum, double configured, std::string ProgramConfig::*key) {
    return maximum > 0 ? maximum : powerScaleOr(configured, key);
  };
  const double wmax = scale(ranges[kWatts].maximum, settings.MP, &ProgramConfig::MP);
  const double rmax = scale(ranges[kRpm].maximum, settings.MR, &ProgramConfig::MR);
  drawPowerCurveGrid(plot, rmax, wmax);
  const double last = std::min(lastShown, static_cast<double>(kHistorySlots - 1));
  for (double i = firstShown; i <= last; i += 1) {
    const int slot = slotAt(i);
    drawPowerCurvePoint(plot, store.values[kRpm][slot], store.values[kWatts][slot], wmax);
  }
  plot.setPenWidth(1);
}

}  // namespace tamsel
