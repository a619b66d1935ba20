#pragma once
// web.cfg: whether and where the web dashboard is served. Same tag format as
// prog.cfg; without the file the dashboard is on, for this machine only.
#include <string>
#include <string_view>

#include "config/config_file.h"

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

}  // namespace tamsel
