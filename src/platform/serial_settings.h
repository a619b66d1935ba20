#pragma once
// How a configured port number and line settings text reach a real device.
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tamsel {

// The port number of a configuration value: a number rounded to a whole
// number (ties to even) that fits 16 bits, or why it is not one.
Result<int> portNumberFromText(std::string_view text);

// "9600,N,8,1": speed, parity, data bits, stop bits. Only the forms the
// program writes (no parity, 8 data bits, 1 stop bit) are accepted.
std::optional<int> baudRateFromSettings(std::string_view settings);

// Port N is "COMN" on Windows; elsewhere a file or link named "comN" in the
// program folder when there is one (ln -s /dev/ttyUSB0 com3), else
// /dev/ttyS<N-1>. Empty for port numbers that name no port (0 and below).
std::string deviceForPort(int port, const std::string& programFolder);

// Why `device` could not be opened, for the user: "<device>: <system text>",
// except that a refused permission says how to get it, since the system's
// words alone leave a new user stuck.
std::string openFailureText(const std::string& device, std::string_view systemText,
                            bool permissionDenied);

}  // namespace tamsel
