#pragma once
// MQTT publishing as one output of a session: mqtt.cfg read, the publisher
// made, and the session's steps passed on to it, with the battery's figures
// worked out after each record.
#include <memory>
#include <string>

#include "app/outputs/battery_watch.h"
#include "mqtt/mqtt_publisher.h"
#include "platform/clock.h"
#include "session/error_reporter.h"
#include "session/session_observer.h"

namespace tamsel {

class MqttFeed final : public SessionObserver {
 public:
  MqttFeed(std::unique_ptr<MqttPublisher> publisher, const std::string& programFolder);

  MqttPublisher& publisher() { return *publisher_; }

  // The broker's problems are the session's trapped errors and notices.
  void sessionMade(LoggerSession& session) override;
  void programConfigRead(const ProgramConfig& config) override;
  void configurationFirstLoaded() override { publisher_->start(); }
  void readingAccepted(const Reading& reading, double wattHours) override;
  void recordWritten(const LocalDateTime& at, const AveragedValues& values,
                     double wattHours) override;
  void alarmsJudged(const AlarmBoard& board) override { publisher_->alarmsChanged(board); }
  void sessionLeft() override { publisher_->stop(); }

 private:
  std::unique_ptr<MqttPublisher> publisher_;
  BatteryWatch battery;  // after the publisher: destroyed first, its answer never reaching it
};

// The publisher, not yet started (it starts with the session's first
// configuration), when mqtt.cfg enables publishing; none when the file is
// missing, publishing is off, or its settings cannot be used. What needs the
// user's attention (settings that cannot be used, a password in a file others
// can read) goes to `reporter`.
std::unique_ptr<MqttPublisher> startPublishing(const std::string& programFolder, const Clock& clock,
                                               const std::string& version, ErrorReporter& reporter);

}  // namespace tamsel
