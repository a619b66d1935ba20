#pragma once
// The telemetry frame text the board sends, and the line the simulator keeps
// of each frame so a test can compare what a logger made of it.
#include <cstdint>
#include <string>

#include "calibration.h"

namespace sim {

int checksumOf(const Counts& counts);

// "[<V>..</V><I>..</I><R>..</R><S>..</S><C>..</C>]". A bad frame carries a
// checksum one higher than the sum of its fields.
std::string frameText(const Counts& counts, bool badChecksum = false);

// One line of the sent log (no line end): the frame text, a tab, then the
// values it stands for: "volts=12.525 amps=3.2 watts=40.08 rpm=360 wind=12
// checksum=ok" (or checksum=bad).
std::string sentLogLine(const std::string& frame, const Decoded& decoded, bool badChecksum);
// The sent log's line for the run without "]": "run\t1048576 bytes without ]".
std::string sentLogRunLine(std::uint64_t bytes);

}  // namespace sim
