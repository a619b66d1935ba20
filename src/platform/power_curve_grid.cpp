#include "platform/power_curve_grid.h"

namespace tamsel {

void drawPowerCurveGrid(DisplayList& plot, double maxRpm, double maxWatts) {
  plot.setScale(maxRpm + maxRpm / 20, maxWatts + maxWatts / 20);
  plot.setPenWidth(1);
  const double bottom = maxWatts + maxWatts / 40;
  for (double x : {5.0, maxRpm / 4, maxRpm * 2 / 4, maxRpm * 3 / 4, maxRpm})
    plot.line(x, 0, x, bottom, kPowerGridColour);
  const double right = maxRpm + 20;
  for (double y : {15.0, maxWatts / 5 + 10, maxWatts / 5 * 2 + 10, maxWatts / 5 * 3 + 10,
                   maxWatts / 5 * 4 + 10, maxWatts + 20})
    plot.line(0, y, right, y, kPowerGridColour);
  plot.setPenWidth(kPowerPointPen);
}

void drawPowerCurvePoint(DisplayList& plot, double rpm, double watts, double maxWatts) {
  const double y = maxWatts - watts + maxWatts / 40;
  plot.line(rpm, y, rpm - 1, y - 1, kPowerPointColour);
}

}  // namespace tamsel
