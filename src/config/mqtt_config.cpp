#include "config/mqtt_config.h"

#include <cctype>
#include <optional>

#include "platform/numeric_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"MQTT Config File", 1, 1};

std::string trimmed(std::string_view text) {
  return std::string(trimmedText(text));
}

// MQTT's strings carry a two-byte length; each topic published is the
// configured prefix plus a suffix, so the prefix has that much less room.
constexpr size_t kLongestMqttString = 65535;
constexpr size_t kLongestHostName = 253;  // a DNS name's limit
constexpr std::string_view kLongestTopicSuffix = "/reading";
constexpr std::string_view kDiscoveryPrefix = "homeassistant/sensor/";
constexpr std::string_view kLongestDiscoverySuffix = "_watt_hours_today/config";

// 65535 as "65,535".
std::string groupedNumber(size_t number) {
  std::string digits = std::to_string(number);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

// The code point starting at `text[at]`, advancing `at`; nullopt for bytes
// that are not UTF-8 (overlong forms, surrogates and values past U+10FFFF too).
std::optional<char32_t> nextCodePoint(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return std::nullopt;
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length;
  return code;
}

// What the broker takes as a string: UTF-8 with no control character and
// no non-character (the client library refuses those as "Malformed UTF-8").
Status mqttText(std::string_view field, std::string_view text, size_t longest) {
  const std::string name = "mqtt.cfg: " + std::string(field);
  if (text.size() > longest) {
    return Status::failure(name + " is longer than " + groupedNumber(longest) + " bytes");
  }
  for (size_t at = 0; at < text.size();) {
    const std::optional<char32_t> code = nextCodePoint(text, at);
    if (!code) return Status::failure(name + " is not valid UTF-8");
    if (*code < 0x20 || (*code >= 0x7F && *code < 0xA0)) {
      return Status::failure(name + " holds a control character");
    }
    if ((*code & 0xFFFE) == 0xFFFE || (*code >= 0xFDD0 && *code <= 0xFDEF)) {
      return Status::failure(name + " is not valid UTF-8");
    }
  }
  return {};
}

// Every text as the broker and the dashboard will see it; the first
// problem found, naming its field.
Status checkTexts(const MqttSettings& settings) {
  const struct {
    std::string_view field;
    const std::string& text;
    size_t longest;
  } texts[] = {
      {"Host", settings.host, kLongestHostName},
      {"ClientId", settings.clientId,
       kLongestMqttString - kDiscoveryPrefix.size() - kLongestDiscoverySuffix.size()},
      {"Topic", settings.topic, kLongestMqttString - kLongestTopicSuffix.size()},
      {"Username", settings.username, kLongestMqttString},
  };
  for (const auto& t : texts) {
    if (Status checked = mqttText(t.field, t.text, t.longest); !checked) return checked;
  }
  // A password may be any bytes.
  if (settings.password.size() > kLongestMqttString) {
    return Status::failure("mqtt.cfg: Password is longer than " +
                           groupedNumber(kLongestMqttString) + " bytes");
  }
  if (!settings.caFile.empty()) {
    if (auto read = readWholeFile(settings.caFile); !read) {
      return Status::failure("mqtt.cfg: CAFile cannot be read: " + read.error());
    }
  }
  return {};
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
  if (Status checked = checkTexts(settings); !checked) return checked;
  return settings;
}

}  // namespace tamsel
