#pragma once
// The loaded records as a power curve: one dot per record, placed by its RPM
// across and its watts down, over the power grid the live plot also uses.
#include "history/history_settings.h"
#include "history/history_store.h"
#include "history/time_chart.h"
#include "platform/display_list.h"

namespace tamsel {

// `ranges` are those of the last time chart (all zero before the first one).
// A watts or RPM maximum that is not above 0 falls back to the configured
// full scale, and one of those that is not above 0 to the setup window's; the
// dots follow the same watts maximum as the grid, so they stay on the chart
// in the Unscaled view too.
void drawPowerCurve(const HistoryStore& store, double firstShown, double lastShown,
                    const std::array<SeriesRange, kSeriesCount>& ranges,
                    const HistorySettings& settings, DisplayList& plot);

}  // namespace tamsel
