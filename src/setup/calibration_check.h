#pragma once
// Whether values typed in the calibration window may be saved. The main
// window divides by every divider and subtracts the offset on each frame, so
// one that is no finite number (or a divider of 0) would fail every frame
// after it without a word; the window refuses it while the user is there.
#include <optional>
#include <string>

#include "config/calibration.h"

namespace tamsel {

// The message naming the first box, top to bottom, that cannot be saved, in
// the words of the window's steps; nullopt when every value can be.
std::optional<std::string> calibrationRefusal(const Calibration& typed);

}  // namespace tamsel
