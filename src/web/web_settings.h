#pragma once
// The web dashboard's settings as the server uses them: web.cfg's texts
// checked, with their defaults filled in.
#include <string>
#include <string_view>

#include "config/web_config.h"
#include "platform/status.h"

namespace tamsel {

struct WebSettings {
  std::string address = "127.0.0.1";  // an IP address, as the server listens on it
  int port = 8470;
  std::string password;  // empty: no login asked
};

// Whether only this machine can reach `address` (127.0.0.0/8, ::1).
bool isLoopbackAddress(std::string_view address);

// The settings with their defaults filled in, or why they cannot be used,
// naming the key: an address that is no IP address ("localhost" counts as
// 127.0.0.1), a port that is no whole number from 1 to 65535, or an address
// other machines can reach without a Password to guard it.
Result<WebSettings> webSettings(const WebConfig& config);

}  // namespace tamsel
