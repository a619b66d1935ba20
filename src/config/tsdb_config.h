#pragma once
// tsdb.cfg: whether and where records go into a time-series database that
// takes the line protocol. Same tag format as prog.cfg; a missing file, or
// Enabled not 1, means nothing is sent.
#include <string>
#include <string_view>

#include "config/config_file.h"
#include "platform/status.h"

namespace tamsel {

struct TsdbConfig {
  std::string Enabled;
  std::string URL;
  std::string Token;
  std::string Username;
  std::string Password;
  std::string CAFile;
  std::string Site;
  std::string History;
};

const KeyTable<TsdbConfig>& tsdbConfigKeys();
std::string tsdbConfigPath(const std::string& programFolder);
TsdbConfig readTsdbConfig(std::string_view text);
std::string tsdbConfigText(const TsdbConfig& config);
bool isTsdbEnabled(const TsdbConfig& config);

// The configuration with its defaults filled in and every value checked.
struct TsdbSettings {
  std::string url;  // http:// or https://, as written
  std::string token;
  std::string username;
  std::string password;
  std::string caFile;  // empty: the system's authorities
  std::string site;    // default: the host name
  bool history = false;
};

// Why an enabled configuration cannot be used, naming the key (no URL or one
// that is not http(s) with a host, a control character where a header would
// carry it, a token and a user name both, a password without a user, a
// History other than 0 or 1, a CAFile that cannot be read), or the settings.
Result<TsdbSettings> tsdbSettings(const TsdbConfig& config, std::string_view hostName);

}  // namespace tamsel
