#pragma once
// web.cfg: whether and where the web dashboard is served. Same tag format as
// prog.cfg; without the file the dashboard is on, for this machine only.
#include <string>
#include <string_view>

#include "config/config_file.h"
#include "platform/status.h"

namespace tamsel {

struct WebConfig {
  std::string Enabled = "1";
  std::string Address = "127.0.0.1";
  std::string Port = "8470";
  std::string Password;
};

const KeyTable<WebConfig>& webConfigKeys();
std::string webConfigPath(const std::string& programFolder);
// Every key that can be read replaces its default.
WebConfig readWebConfig(std::string_view text);
std::string webConfigText(const WebConfig& config);

// Enabled is 1.
bool isWebEnabled(const WebConfig& config);

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
