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

// How the records of a run of the program lie over the frames the board sent.
// Every frame that reaches a logger falls into one logging interval, so the
// intervals cut the stream of frames into runs, one after the other.
struct RunRules {
  size_t shortestRun = 3;  // frames in every interval but the first
  size_t longestRun = 40;
  size_t mostSkipped = 1;  // frames lost between one interval and the next
  // The board was silent until the logger read the line and sent nothing
  // after the last record: the first run starts at the first frame and the
  // last ends at the last, so no frame sent went unlogged.
  bool everyFrame = false;
};

// Places `records`, in order, on runs of consecutive `frames` that each
// average, as the logger averages its interval, to the record's volts, amps
// and watts. The first record's run may start anywhere and be short (its
// interval may have begun before the first frame came); each later run starts
// where the one before ended, or up to `mostSkipped` frames after it. A frame
// with a bad checksum is reported and still counts, as any other. Returns ""
// when every record has its run, else which record has none.
std::string placeRecordsOnRuns(const std::vector<RecordValues>& records,
                               const std::vector<ProgramRun::SentFrame>& frames,
                               const RunRules& rules = {});

// Which record, if any, holds fewer watt-hours than the one before ("" when none).
std::string wattHoursFall(const std::vector<RecordValues>& records);

}  // namespace tamsel::e2e
