#include "setup/serial_hint.h"

#include <algorithm>

namespace tamsel {

std::string serialDevicesHint(std::vector<std::string> locations, size_t shown) {
  if (locations.empty()) return "No serial device found";
  std::sort(locations.begin(), locations.end());
  std::string hint = "Found: ";
  for (size_t i = 0; i < locations.size() && i < shown; ++i) {
    if (i > 0) hint += ", ";
    hint += locations[i];
  }
  if (locations.size() > shown) hint += ", ...";
  return hint;
}

}  // namespace tamsel
