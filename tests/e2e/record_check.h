#pragma once
// Reading back the day's log records and matching them with the frames the
// board sent.
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace tamsel::e2e {

struct RecordValues {
  double volts = 0, amps = 0, watts = 0, wattHours = 0;
};

// The values of a record line, when the line has the record's exact shape:
// <T>hh:mm</T><V>##.00</V><I>##0.0</I><W>##0.0</W><R>###0</R><S>##0</S><M></M>   ######.0Wh
std::optional<RecordValues> parseRecord(const std::string& line);

// True when some run of consecutive frames (1 to `longestRun` of them)
// averages, as the logger averages its interval, to the record's volts,
// amps and watts.
bool averagesSomeRunOf(const RecordValues& record, const std::vector<ProgramRun::SentFrame>& frames,
                       size_t longestRun = 40);

}  // namespace tamsel::e2e
