#pragma once
// What leaves the log history as files: the CSV of the shown records and the
// daily energy summary logs/watthours.txt.
#include <string>
#include <string_view>

#include "history/history_store.h"
#include "platform/status.h"

namespace tamsel {

// "P_2010_05_23_0001_2358" + extension: the day's file name up to its first
// "." and the four range boxes.
std::string exportFileName(std::string_view dayFileName, const RangeBoxes& boxes,
                           std::string_view extension);

// The header line and one line per record firstShown to lastShown, each
// ended by CR LF; a volts 12.5 record with the rest 0 reads "00:01,12.50,.00,.00,,.0".
std::string csvText(const HistoryStore& store, double firstShown, double lastShown);

// The range a click on a day's file loads: 00:00 to 23:59, both left out.
inline constexpr TimeRange kWholeDay{0, 23 * 3600 + 59 * 60};

// A whole day's watt-hours as the log history shows them after a click on
// its file: every record but the first stands for one logging interval.
// Unlike one load, it counts a day of more than 9,999 records whole.
double dayEnergyWh(std::string_view dayText, double logDelay);
// The same, of the records stamped up to and including `lastSecond` of the day.
double dayEnergyWh(std::string_view dayText, double logDelay, int lastSecond);

// "P_2010_05_23.txt  ,  00124": one day's energy, without its line end.
std::string collateLine(std::string_view dayFileName, double energyWh);

// Appends the day's line to `summaryPath` unless the day's name already
// stands anywhere in the file. A missing file counts as empty, so the first
// day collected creates it.
Status collateDayEnergy(const std::string& summaryPath, std::string_view dayFileName,
                        double energyWh);

}  // namespace tamsel
