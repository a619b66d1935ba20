#pragma once
// Turning an interval's sums into the averaged reading that one record, the
// HTML page and the spreadsheet row all show.
#include <string>
#include <string_view>

#include "logging/interval_sums.h"

namespace tamsel {

// The reading of one logging tick as texts under their masks. A default one
// is all zeros: that is what a no-data tick writes before any frame arrived.
struct AveragedValues {
  std::string volts = "0.00";  // "##0.00"
  std::string amps = "0.0";    // "##0.0"
  std::string watts = "0";     // "####0", a whole number
  std::string rpm = "0";       // "###0"
  double windSpeed = 0;        // "###0" and back to a number

  bool operator==(const AveragedValues&) const = default;
};

// The last record that had data; repeated by ticks that saw no frame.
using LastValues = AveragedValues;

// No reading supplies a mode, so every output writes this empty text.
inline constexpr std::string_view kModeText = "";

// Reported when a tick saw no frame and wrote the previous values again.
inline constexpr std::string_view kNoDataMessage = " No valid data recieved : Logged previous data";

struct TickAverage {
  AveragedValues values;
  bool noData = false;  // true: `values` repeat `last`; report kNoDataMessage
};

// With frames: the sums' averages, which also become `last`. Without: `last`
// again, unchanged. The sums are left as they are: the caller clears them
// whole (IntervalSums::clear), so no part of one interval can leak into the next.
TickAverage averageOrRepeat(const IntervalSums& sums, LastValues& last);

}  // namespace tamsel
