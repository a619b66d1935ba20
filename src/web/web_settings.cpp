#include "web/web_settings.h"

#include <arpa/inet.h>

#include <cstring>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

bool isIpAddress(const std::string& text) {
  unsigned char bytes[16];
  return ::inet_pton(AF_INET, text.c_str(), bytes) == 1 ||
         ::inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

}  // namespace

bool isLoopbackAddress(std::string_view address) {
  const std::string text(address);
  unsigned char bytes[16] = {};
  if (::inet_pton(AF_INET, text.c_str(), bytes) == 1) return bytes[0] == 127;
  if (::inet_pton(AF_INET6, text.c_str(), bytes) != 1) return false;
  static constexpr unsigned char kLoopback6[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  static constexpr unsigned char kMapped4[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
  return std::memcmp(bytes, kLoopback6, 16) == 0 ||
         (std::memcmp(bytes, kMapped4, 12) == 0 && bytes[12] == 127);
}

Result<WebSettings> webSettings(const WebConfig& config) {
  WebSettings settings;
  std::string address(trimmedText(config.Address));
  if (address.empty() || address == "localhost") address = "127.0.0.1";
  if (!isIpAddress(address)) {
    return Status::failure("web.cfg: Address " + address + " is no IP address");
  }
  settings.address = address;
  if (!trimmedText(config.Port).empty()) {
    const std::optional<int> port = wholeNumberIn(config.Port, 1, 65535);
    if (!port) return Status::failure("web.cfg: Port is no number from 1 to 65535");
    settings.port = *port;
  }
  settings.password = config.Password;
  if (settings.password.empty() && !isLoopbackAddress(settings.address)) {
    return Status::failure("web.cfg: Address " + settings.address +
                           " can be reached from other machines; set a Password to serve there");
  }
  return settings;
}

}  // namespace tamsel
