#include "frame_text.h"

#include <cstdio>

namespace sim {

int checksumOf(const Counts& c) {
  return c.v + c.i + c.r + c.s;
}

std::string frameText(const Counts& c, bool badChecksum) {
  const int checksum = checksumOf(c) + (badChecksum ? 1 : 0);
  return "[<V>" + std::to_string(c.v) + "</V><I>" + std::to_string(c.i) + "</I><R>" +
         std::to_string(c.r) + "</R><S>" + std::to_string(c.s) + "</S><C>" +
         std::to_string(checksum) + "</C>]";
}

std::string sentLogLine(const std::string& frame, const Decoded& d, bool badChecksum) {
  char values[160];
  std::snprintf(values, sizeof values, "volts=%.4f amps=%.4f watts=%.4f rpm=%.4f wind=%.4f",
                d.volts, d.amps, d.watts, d.rpm, d.windSpeed);
  return frame + "\t" + values + (badChecksum ? " checksum=bad" : " checksum=ok");
}

std::string sentLogRunLine(std::uint64_t bytes) {
  return "run\t" + std::to_string(bytes) + " bytes without ]";
}

}  // namespace sim
