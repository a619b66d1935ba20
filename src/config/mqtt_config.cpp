#include "config/mqtt_config.h"

#include <cctype>
#include <cmath>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"MQTT Config File", 1, 1};

std::optional<int> wholeNumberIn(std::string_view text, int lowest, int highest) {
  const std::optional<double> value = numericValue(text);
  if (!value || *value != std::floor(*value) || *value < lowest || *value > highest) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::string trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

}  // namespace

const KeyTable<MqttConfig>& mqttConfigKeys() {
  using M = MqttConfig;
  static const KeyTable<M> keys = {
      {"Enabled", &M::Enabled},   {"Host", &M::Host},     {"Port", &M::Port},
      {"ClientId", &M::ClientId}, {"Topic", &M::Topic},   {"Username", &M::Username},
      {"Password", &M::Password}, {"CAFile", &M::CAFile}, {"Interval", &M::Interval},
  };
  return keys;
}

std::string mqttConfigPath(const std::string& programFolder) {
  return programFolder + "/mqtt.cfg";
}

MqttConfig readMqttConfig(std::string_view text) {
  return readKeysLenient(text, mqttConfigKeys(), MqttConfig{});
}

std::string mqttConfigText(const MqttConfig& config) {
  return configText(kLayout, mqttConfigKeys(), config);
}

bool isMqttEnabled(const MqttConfig& config) {
  return optionValue(config.Enabled) == true;
}

std::string idText(std::string_view text) {
  std::string id(text);
  for (char& c : id) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') c = '_';
  }
  return id;
}

Result<MqttSettings> mqttSettings(const MqttConfig& config, std::string_view hostName) {
  MqttSettings settings;
  settings.host = trimmed(config.Host);
  if (settings.host.empty()) return Status::failure("mqtt.cfg: Host is empty");
  if (!trimmed(config.Port).empty()) {
    auto port = wholeNumberIn(config.Port, 1, 65535);
    if (!port) return Status::failure("mqtt.cfg: Port is no number from 1 to 65535");
    settings.port = *port;
  }
  if (!trimmed(config.Interval).empty()) {
    auto interval = wholeNumberIn(config.Interval, 1, 86400);
    if (!interval) return Status::failure("mqtt.cfg: Interval is no number of seconds from 1");
    settings.intervalSeconds = *interval;
  }
  const std::string host = idText(hostName.empty() ? "host" : hostName);
  settings.clientId =
      trimmed(config.ClientId).empty() ? "tamsel_" + host : trimmed(config.ClientId);
  settings.topic = trimmed(config.Topic).empty() ? "tamsel/" + host : trimmed(config.Topic);
  while (settings.topic.size() > 1 && settings.topic.back() == '/') settings.topic.pop_back();
  if (settings.topic.find_first_of("+#") != std::string::npos) {
    return Status::failure("mqtt.cfg: Topic may not hold + or #");
  }
  settings.username = config.Username;
  settings.password = config.Password;
  settings.caFile = trimmed(config.CAFile);
  return settings;
}

}  // namespace tamsel
