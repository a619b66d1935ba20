#pragma once
// The time chart of the loaded records: five traces over one surface, each
// in its own vertical scale, with the label texts around it.
#include <array>
#include <optional>
#include <string>

#include "history/history_settings.h"
#include "history/history_store.h"
#include "platform/display_list.h"

namespace tamsel {

struct SeriesLook {
  const char* mask;
  Rgb colour;
};
inline constexpr std::array<SeriesLook, kSeriesCount> kSeriesLook = {{
    {"#0.00", {255, 0, 0}},
    {"##0.0", {0, 255, 0}},
    {"###0", {0, 0, 255}},
    {"##0", {255, 255, 0}},
    {"##0", {255, 255, 255}},
}};
// The zero lines of amps and watts, drawn when a range crosses zero.
inline constexpr Rgb kReferenceLineColour{192, 192, 192};

// The ends of the scale a series was last drawn with; the power curve reads them.
struct SeriesRange {
  double maximum = 0;
  double minimum = 0;
  double span = 0;
};

struct ChartView {
  double firstShown = 0;  // record indices; may hold a press position mid-zoom
  double lastShown = 0;
  bool scaled = true;
  std::array<bool, kSeriesCount> shown{true, true, true, true, false};
};

// The texts around the chart; all empty (ChartLabels{}) when none is drawn.
struct ChartLabels {
  std::string stime, ftime;  // "hh:mm"; the range boxes take their digits
  std::array<std::string, kSeriesCount> maximum, minimum;
  std::string energy;  // "100 Wh"
};

struct ChartResult {
  std::array<SeriesRange, kSeriesCount> ranges;
  double energyWh = 0;
  ChartLabels labels;
};

// Clears `plot`, then draws records firstShown to lastShown. Nothing but the
// clearing happens (nullopt) when there are fewer than two to draw.
std::optional<ChartResult> drawTimeChart(const HistoryStore& store, const ChartView& view,
                                         const HistorySettings& settings, DisplayList& plot);

// The watt-hours of records firstShown to lastShown: every one but the first
// stands for one logging interval. 0 when fewer than two are shown.
double rangeEnergyWh(const HistoryStore& store, double firstShown, double lastShown,
                     double logDelay);

// A record index from a position that may lie between records; never outside the slots.
int slotAt(double index);

}  // namespace tamsel
