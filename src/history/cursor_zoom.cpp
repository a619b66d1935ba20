#include "history/cursor_zoom.h"

#include <cmath>

#include "platform/calendar.h"
#include "platform/number_format.h"

namespace tamsel {
namespace {

std::string shortValue(double value, const std::string& suffix) {
  return plainNumberText(roundDecimal(value, 2)) + suffix;
}

}  // namespace

std::optional<CursorReadout> readoutAt(const HistoryStore& store, int recordCount, double origin,
                                       double x, const std::string& windUnits) {
  const double index = std::floor(x) + std::round(origin);
  // Only loaded records: slots past the count hold an earlier load's records.
  if (!(index >= 1) || index > recordCount) return std::nullopt;
  const int k = static_cast<int>(index);
  CursorReadout readout;
  readout.time = hourMinute(store.time[k] / 60);
  readout.volts = shortValue(store.values[kVolts][k], " V");
  readout.amps = shortValue(store.values[kAmps][k], " A");
  readout.watts = shortValue(store.values[kWatts][k], " W");
  readout.rpm = shortValue(store.values[kRpm][k], " RPM");
  readout.wind = shortValue(store.values[kWind][k], " " + windUnits);
  return readout;
}

bool DragZoom::press(double x, int recordCount, double& firstShown) {
  drawnFirst = held ? drawnFirst : firstShown;
  held = true;
  if (busy || recordCount <= 1) return false;
  firstShown = x;
  return true;
}

DragZoom::Release DragZoom::release(double x, double clickReach, int recordCount,
                                    double& firstShown, double& lastShown) {
  const bool wasHeld = held;
  held = false;
  if (busy || recordCount <= 1) return Release::Nothing;
  const bool click = wasHeld && std::abs(x - firstShown) <= clickReach;
  if (click || !(static_cast<float>(firstShown) < x)) {
    if (wasHeld) firstShown = drawnFirst;
    return click ? Release::Click : Release::Nothing;
  }
  lastShown = x;
  busy = true;
  return Release::Zoom;
}

}  // namespace tamsel
