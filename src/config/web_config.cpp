#include "config/web_config.h"

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"Web Dashboard Config File", 1, 1};

}  // namespace

const KeyTable<WebConfig>& webConfigKeys() {
  using W = WebConfig;
  static const KeyTable<W> keys = {
      {"Enabled", &W::Enabled},
      {"Address", &W::Address},
      {"Port", &W::Port},
      {"Password", &W::Password},
  };
  return keys;
}

std::string webConfigPath(const std::string& programFolder) {
  return programFolder + "/web.cfg";
}

WebConfig readWebConfig(std::string_view text) {
  return readKeysLenient(text, webConfigKeys(), WebConfig{});
}

std::string webConfigText(const WebConfig& config) {
  return configText(kLayout, webConfigKeys(), config);
}

bool isWebEnabled(const WebConfig& config) {
  return optionValue(config.Enabled) == true;
}

}  // namespace tamsel
