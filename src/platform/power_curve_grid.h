#pragma once
// The power-versus-RPM picture shared by the live plot of the main window and
// the power curve of the log history: one grid, one way of placing a reading.
// RPM runs across, watts down; the grid constants (5, 15, +10, +20) are in
// those units, not pixels.
#include "platform/display_list.h"

namespace tamsel {

inline constexpr Rgb kPowerGridColour{0, 255, 0};
inline constexpr Rgb kPowerPointColour{255, 0, 0};
inline constexpr int kPowerPointPen = 4;

// Sets the scale to maxRpm + maxRpm/20 wide and maxWatts + maxWatts/20 high,
// draws the grid at pen width 1, and leaves the pen at the point width.
void drawPowerCurveGrid(DisplayList& plot, double maxRpm, double maxWatts);

// One reading as a short thick stroke: 0 W lies 2.5 % of maxWatts above the
// bottom edge, maxWatts watts 2.5 % below the top edge.
void drawPowerCurvePoint(DisplayList& plot, double rpm, double watts, double maxWatts);

}  // namespace tamsel
