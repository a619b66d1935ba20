#include "config/tsdb_config.h"

#include "platform/numeric_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"TSDB Config File", 1, 1};

std::string trimmed(std::string_view text) {
  return std::string(trimmedText(text));
}

Status refused(std::string_view key, std::string_view why) {
  return Status::failure("tsdb.cfg: " + std::string(key) + " " + std::string(why));
}

// A value that goes into a request's address or headers: a line break there
// would end the header and start another.
bool holdsControl(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

// "http://host[:port]/path?query" or https: a scheme we speak and a host.
Status checkUrl(std::string_view url) {
  if (url.empty()) return refused("URL", "is empty");
  if (holdsControl(url) || url.find(' ') != std::string_view::npos) {
    return refused("URL", "holds a space or a control character");
  }
  size_t hostAt = 0;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (url.substr(0, scheme.size()) == scheme) hostAt = scheme.size();
  }
  if (hostAt == 0) return refused("URL", "does not begin with http:// or https://");
  const std::string_view rest = url.substr(hostAt);
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
  if (authority.empty() || authority.front() == ':') return refused("URL", "names no host");
  return {};
}

}  // namespace

const KeyTable<TsdbConfig>& tsdbConfigKeys() {
  using T = TsdbConfig;
  static const KeyTable<T> keys = {
      {"Enabled", &T::Enabled},   {"URL", &T::URL},           {"Token", &T::Token},
      {"Username", &T::Username}, {"Password", &T::Password}, {"CAFile", &T::CAFile},
      {"Site", &T::Site},         {"History", &T::History},
  };
  return keys;
}

std::string tsdbConfigPath(const std::string& programFolder) {
  return programFolder + "/tsdb.cfg";
}

TsdbConfig readTsdbConfig(std::string_view text) {
  return readKeysLenient(text, tsdbConfigKeys(), TsdbConfig{});
}

std::string tsdbConfigText(const TsdbConfig& config) {
  return configText(kLayout, tsdbConfigKeys(), config);
}

bool isTsdbEnabled(const TsdbConfig& config) {
  return optionValue(config.Enabled) == true;
}

Result<TsdbSettings> tsdbSettings(const TsdbConfig& config, std::string_view hostName) {
  TsdbSettings settings;
  settings.url = trimmed(config.URL);
  if (Status url = checkUrl(settings.url); !url) return url;
  settings.token = trimmed(config.Token);
  settings.username = config.Username;
  settings.password = config.Password;
  if (holdsControl(settings.token)) return refused("Token", "holds a control character");
  // Basic authentication joins the two with ":", so a user name cannot hold one.
  if (holdsControl(settings.username) || settings.username.find(':') != std::string::npos) {
    return refused("Username", "holds a control character or \":\"");
  }
  if (!settings.token.empty() && !settings.username.empty()) {
    return refused("Token", "and Username are both given; use one of them");
  }
  if (!settings.password.empty() && settings.username.empty()) {
    return refused("Password", "is given without a Username");
  }
  const std::string history = trimmed(config.History);
  if (!history.empty()) {
    const std::optional<int> value = wholeNumberIn(history, 0, 1);
    if (!value) return refused("History", "is neither 0 nor 1");
    settings.history = *value == 1;
  }
  settings.site = trimmed(config.Site).empty() ? std::string(hostName) : trimmed(config.Site);
  if (settings.site.empty()) settings.site = "host";
  if (holdsControl(settings.site)) return refused("Site", "holds a control character");
  settings.caFile = trimmed(config.CAFile);
  if (!settings.caFile.empty()) {
    if (auto read = readWholeFile(settings.caFile); !read) {
      return Status::failure("tsdb.cfg: CAFile cannot be read: " + read.error());
    }
  }
  return settings;
}

}  // namespace tamsel
