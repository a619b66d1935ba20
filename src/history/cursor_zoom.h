#pragma once
// What the chart shows under the mouse, and the drag that narrows the range.
#include <optional>
#include <string>

#include "history/history_store.h"

namespace tamsel {

// All empty (CursorReadout{}) while no chart is drawn.
struct CursorReadout {
  std::string time;  // vt
  std::string volts, amps, watts, rpm, wind;
};

// The record under x (surface units from the first drawn record `origin`),
// or nullopt when x lies on no loaded record. Each value is rounded to two
// decimals and written in its shortest form.
std::optional<CursorReadout> readoutAt(const HistoryStore& store, int recordCount, double origin,
                                       double x, const std::string& windUnits);

// The mouse state of the chart. While a button is held, firstShown holds the
// press position; the read-out keeps to the records as drawn.
class DragZoom {
 public:
  // A press: true when it starts a zoom, and firstShown has become x.
  bool press(double x, int recordCount, double& firstShown);
  // What a release ended.
  enum class Release {
    Nothing,  // no press on a chart, or a drag to the left of the press
    Click,    // within `clickReach` of the press: it only points at a record
    Zoom,     // a drag to the right: lastShown has become x
  };
  // A release. After a zoom the caller redraws and reloads. Every release
  // ends with finish(), zoom or not. A release that is no zoom puts
  // firstShown back where the drawn chart starts, so a later redraw shows
  // the same records. `clickReach`: how far the hand may slip in a click,
  // in the chart's units.
  Release release(double x, double clickReach, int recordCount, double& firstShown,
                  double& lastShown);
  void finish() { busy = false; }

  // Whether a button is down on the chart.
  bool holding() const { return held; }
  // Whether a move should mark the dragged stretch along the top edge.
  bool marksDrag() const { return held && !busy; }
  // Where the drawn records start, for the read-out.
  double readoutOrigin(double firstShown) const { return held ? drawnFirst : firstShown; }

 private:
  bool held = false;  // dragActive: a button is down on the chart
  bool busy = false;  // zoomBusy: a zoom started and not yet reloaded
  double drawnFirst = 0;
};

}  // namespace tamsel
