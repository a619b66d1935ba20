#pragma once
// mqtt.cfg: whether and where readings and records are published. Same tag
// format as prog.cfg; a missing file, or Enabled not 1, means no publishing.
#include <string>
#include <string_view>

#include "config/config_file.h"
#include "platform/status.h"

namespace tamsel {

struct MqttConfig {
  std::string Enabled;
  std::string Host;
  std::string Port;
  std::string ClientId;
  std::string Topic;
  std::string Username;
  std::string Password;
  std::string CAFile;
  std::string Interval;
};

const KeyTable<MqttConfig>& mqttConfigKeys();
std::string mqttConfigPath(const std::string& programFolder);
MqttConfig readMqttConfig(std::string_view text);
std::string mqttConfigText(const MqttConfig& config);
bool isMqttEnabled(const MqttConfig& config);

// The configuration with its defaults filled in and its numbers checked.
struct MqttSettings {
  std::string host;
  int port = 1883;
  std::string clientId;  // default "tamsel_<host name>"
  std::string topic;     // default "tamsel/<host name>"; no trailing "/"
  std::string username;
  std::string password;
  std::string caFile;  // TLS when not empty
  int intervalSeconds = 5;
  // Silence after which the broker counts as gone, while connecting or
  // connected. Not in mqtt.cfg; at least 5.
  int keepAliveSeconds = 60;
};

// Why an enabled configuration cannot be used, naming the field (no host, a
// port or interval that is no whole number in range, a text the broker would
// refuse: too long, not UTF-8, a control character; a CAFile that cannot be
// read), or the settings. `hostName` names this machine in the default
// client id and topic.
Result<MqttSettings> mqttSettings(const MqttConfig& config, std::string_view hostName);

// Letters, digits, "_" and "-" kept, anything else "_": what a client id
// and a discovery object id may hold.
std::string idText(std::string_view text);

}  // namespace tamsel
