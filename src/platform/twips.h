#pragma once
// Window positions and sizes are kept in twips (1/1440 inch) and drawn in pixels.
#include <cmath>

namespace tamsel {

inline constexpr int kTwipsPerInch = 1440;

inline int twipsToPixels(double twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace tamsel
