#pragma once
// The short note beside the port number naming the serial devices this machine has.
#include <string>
#include <vector>

namespace tamsel {

// "Found: /dev/ttyS0, /dev/ttyUSB0" in sorted order, at most `shown` names and
// then ", ..."; "No serial device found" for none.
std::string serialDevicesHint(std::vector<std::string> locations, size_t shown = 2);

}  // namespace tamsel
