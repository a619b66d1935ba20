#include "platform/serial_settings.h"

#include <sys/stat.h>

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {

Result<int> portNumberFromText(std::string_view text) {
  auto value = numericValue(text);
  if (!value) return Status::failure("Type mismatch: the port number is not a number");
  const double rounded = roundDecimal(*value, 0, Rounding::HalfToEven);
  if (!(rounded >= -32768 && rounded <= 32767)) {
    return Status::failure("Overflow: the port number is out of range");
  }
  return static_cast<int>(rounded);
}

std::optional<int> baudRateFromSettings(std::string_view settings) {
  const size_t comma = settings.find(',');
  if (comma == std::string_view::npos || settings.substr(comma) != ",N,8,1") return std::nullopt;
  auto speed = numericValue(settings.substr(0, comma));
  if (!speed || *speed < 1 || *speed > 4000000 || *speed != static_cast<int>(*speed)) {
    return std::nullopt;
  }
  return static_cast<int>(*speed);
}

std::string deviceForPort(int port, const std::string& programFolder) {
  if (port <= 0) return {};
#ifdef _WIN32
  (void)programFolder;
  return "COM" + std::to_string(port);
#else
  const std::string link = programFolder + "/com" + std::to_string(port);
  struct stat st {};
  if (::lstat(link.c_str(), &st) == 0) return link;
  return "/dev/ttyS" + std::to_string(port - 1);
#endif
}

std::string openFailureText(const std::string& device, std::string_view systemText,
                            bool permissionDenied) {
  if (!permissionDenied) return device + ": " + std::string(systemText);
  return device +
         ": permission denied (the user must be in the dialout group: sudo adduser $USER dialout, "
         "then log out and in again)";
}

}  // namespace tamsel
