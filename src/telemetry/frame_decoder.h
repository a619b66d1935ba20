#pragma once
// Checks one frame text and scales its raw counts into a reading.
//
// "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]": fields in any order,
// each found by its first opening and first closing tag; C is V+I+R+S.
#include <string>
#include <string_view>

#include "telemetry/reading.h"

namespace tamsel {

enum class FrameStatus {
  Dropped,  // a field is missing or V is 0: ignored without a message
  Decoded,  // `reading` holds the scaled values
  Failed,   // a run-time failure; `failure` describes it
};

struct FrameResult {
  FrameStatus status = FrameStatus::Dropped;
  // The checksum differed from the sum of the fields. Such a frame is still
  // scaled (and may still fail the scaling); the mismatch is reported first.
  bool checksumMismatch = false;
  // The new reading. It starts as the current one and is replaced field by
  // field, so a failure part-way keeps the fields scaled before it.
  Reading reading;
  // The reading's watts are this frame's: always when decoded, and after a
  // failure past them (a board without an anemometer fails at its wind).
  bool powerScaled = false;
  std::string failure;
};

FrameResult decodeFrame(std::string_view frame, const Scale& scale, const Reading& current = {});

}  // namespace tamsel
