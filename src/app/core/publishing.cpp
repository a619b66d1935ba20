#include "app/core/publishing.h"

#include <sys/stat.h>
#include <unistd.h>

#include "app/core/error_report.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

std::string hostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "host";
  return name;
}

bool othersCanRead(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

}  // namespace

std::unique_ptr<MqttPublisher> startPublishing(const std::string& programFolder, const Clock& clock,
                                               const std::string& version, std::ostream& messages) {
  const std::string path = mqttConfigPath(programFolder);
  auto note = [&](const std::string& message) {
    messages << appendToErrorLog(programFolder, clock.now(), {message, {}, {}}) << std::endl;
  };
  const Result<std::string> text = readWholeFile(path);
  if (!text) {
    // No mqtt.cfg means no publishing; one that is there was meant to be read.
    if (!isMissing(path))
      note("mqtt.cfg cannot be read: " + text.error() + "; nothing is published");
    return nullptr;
  }
  const MqttConfig config = readMqttConfig(*text);
  if (!isMqttEnabled(config)) return nullptr;
  if (!config.Password.empty() && othersCanRead(path)) {
    note("mqtt.cfg holds a password that other users can read: chmod 600 mqtt.cfg");
  }
  const std::string host = hostName();
  Result<MqttSettings> settings = mqttSettings(config, host);
  if (!settings) {
    note(settings.error() + "; nothing is published");
    return nullptr;
  }
  auto publisher = std::make_unique<MqttPublisher>(
      std::move(*settings), MqttPublisher::Identity{"Tamsel " + host, version}, clock);
  return publisher;
}

}  // namespace tamsel
