#include "app/outputs/mqtt_feed.h"

#include <unistd.h>

#include "platform/qt/latin1.h"
#include "platform/text_file.h"
#include "session/logger_session.h"

namespace tamsel {
namespace {

std::string hostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "host";
  return name;
}

}  // namespace

MqttFeed::MqttFeed(std::unique_ptr<MqttPublisher> publisher, const std::string& programFolder)
    : publisher_(std::move(publisher)), battery(programFolder, [this](const std::string& state) {
        publisher_->batteryChanged(state);
      }) {}

void MqttFeed::sessionMade(LoggerSession& session) {
  // The broker has nothing to do with the last frame or the operation under
  // way: its report carries neither, and leaves errorMessage to that operation.
  QObject::connect(publisher_.get(), &MqttPublisher::connectionLost, &session,
                   [&session](const QString& reason) {
                     session.reportTrapped({"MQTT broker not available", toBytes(reason), {}});
                   });
  QObject::connect(publisher_.get(), &MqttPublisher::connectionBack, &session,
                   [&session] { session.reportNotice("MQTT broker connected again"); });
}

void MqttFeed::programConfigRead(const ProgramConfig& config) {
  publisher_->setWindUnits(config.WSUnits);
}

void MqttFeed::readingAccepted(const Reading& reading, double wattHours) {
  publisher_->readingAccepted(reading, wattHours);
}

void MqttFeed::recordWritten(const LocalDateTime& at, const AveragedValues& values,
                             double wattHours) {
  publisher_->recordWritten(at, values, wattHours);
  battery.recordWritten(calendarDate(at));
}

std::unique_ptr<MqttPublisher> startPublishing(const std::string& programFolder, const Clock& clock,
                                               const std::string& version,
                                               ErrorReporter& reporter) {
  const std::string path = mqttConfigPath(programFolder);
  const Result<std::string> text = readWholeFile(path);
  if (!text) {
    // No mqtt.cfg means no publishing; one that is there was meant to be read.
    if (!isMissing(path))
      reporter.attention("mqtt.cfg cannot be read: " + text.error() + "; nothing is published");
    return nullptr;
  }
  const MqttConfig config = readMqttConfig(*text);
  if (!isMqttEnabled(config)) return nullptr;
  if (!config.Password.empty() && othersCanRead(path)) {
    reporter.attention("mqtt.cfg holds a password that other users can read: chmod 600 mqtt.cfg");
  }
  const std::string host = hostName();
  Result<MqttSettings> settings = mqttSettings(config, host);
  if (!settings) {
    reporter.attention(settings.error() + "; nothing is published");
    return nullptr;
  }
  return std::make_unique<MqttPublisher>(std::move(*settings),
                                         MqttPublisher::Identity{"Tamsel " + host, version}, clock);
}

}  // namespace tamsel
