#include "mqtt/mqtt_publisher.h"

#include <algorithm>
#include <utility>

#include "mqtt/mqtt_payloads.h"

namespace tamsel {

MqttPublisher::MqttPublisher(MqttSettings settings, Identity identity, const Clock& clock,
                             QObject* parent)
    : QObject(parent),
      settings(std::move(settings)),
      identity(std::move(identity)),
      clock(clock),
      link(this->settings, {this->settings.topic + "/status", "offline"}) {
  connect(&link, &MqttClient::connectedToBroker, this, &MqttPublisher::onConnected);
  connect(&link, &MqttClient::failed, this, &MqttPublisher::onFailed);
  connect(&link, &MqttClient::published, this, &MqttPublisher::onPublished);
  readings.setInterval(this->settings.intervalSeconds * 1000);
  connect(&readings, &QTimer::timeout, this, &MqttPublisher::publishReading);
}

MqttPublisher::~MqttPublisher() = default;

void MqttPublisher::start() {
  readings.start();
  link.start();
}

// "offline" on the status topic (the connection's will, said in person),
// then a clean disconnection.
void MqttPublisher::stop() {
  readings.stop();
  link.stop();
}

// Called from inside the client library: everything here only queues packets.
void MqttPublisher::onConnected() {
  (void)link.publish(settings.topic + "/status", "online", 1, true);
  announce();
  for (WaitingRecord& record : records) sendRecord(record);
  publishReading();
  publishAlarms();
  publishBattery();
  if (lostReported) {
    lostReported = false;
    emit connectionBack();
  }
}

void MqttPublisher::onFailed(const QString& reason) {
  if (lostReported) return;
  lostReported = true;
  emit connectionLost(reason);
}

// The dashboard's sensors, retained so that it finds them whenever it starts.
void MqttPublisher::announce() {
  const DiscoveryNames names{settings.topic, settings.clientId, identity.deviceName,
                             identity.version, settings.intervalSeconds};
  for (const RetainedMessage& message : discoveryMessages(names, windUnits)) {
    (void)link.publish(message.topic, message.payload, 1, true);
  }
  announceAlarms();
}

void MqttPublisher::announceAlarms() {
  if (!alarms) return;
  const DiscoveryNames names{settings.topic, settings.clientId, identity.deviceName,
                             identity.version, settings.intervalSeconds};
  for (const RetainedMessage& message : alarmDiscoveryMessages(names, alarms->settings)) {
    (void)link.publish(message.topic, message.payload, 1, true);
  }
}

void MqttPublisher::onPublished(int mid) {
  const auto sent = std::find_if(records.begin(), records.end(),
                                 [mid](const WaitingRecord& r) { return r.mid == mid; });
  if (sent != records.end()) records.erase(sent);
}

// ---- Publishing -------------------------------------------------------------------

void MqttPublisher::setWindUnits(const std::string& units) {
  if (units == windUnits) return;
  windUnits = units;
  if (isConnected()) announce();
}

void MqttPublisher::readingAccepted(const Reading& reading, double wattHoursToday) {
  latest = reading;
  latestWattHours = wattHoursToday;
  latestAt = clock.now();
  readingWaiting = true;
}

// The dashboard shows the newest reading, so it is retained for whoever subscribes next.
void MqttPublisher::publishReading() {
  if (!isConnected() || !readingWaiting) return;
  if (link.publish(settings.topic + "/reading",
                   readingJson(latest, latestWattHours, windUnits, latestAt), 0, true)) {
    readingWaiting = false;
  }
}

void MqttPublisher::recordWritten(const LocalDateTime& at, const AveragedValues& values,
                                  double wattHours) {
  records.push_back({recordJson(at, values, wattHours, windUnits)});
  if (records.size() > kMostRecordsWaiting) records.pop_front();
  if (isConnected()) sendRecord(records.back());
}

void MqttPublisher::sendRecord(WaitingRecord& record) {
  int mid = -1;
  // One not handed to this connection waits for the next under no message
  // id, so no acknowledgement is taken for it.
  record.mid = link.publish(settings.topic + "/record", record.payload, 1, false, &mid) ? mid : -1;
}

void MqttPublisher::alarmsChanged(const AlarmBoard& board) {
  const bool sensorsChanged = !alarms || alarms->settings.limits != board.settings.limits;
  alarms = board;
  if (!isConnected()) return;  // all of it goes out on connecting
  if (sensorsChanged) announceAlarms();
  publishAlarms();
}

void MqttPublisher::publishAlarms() {
  if (isConnected() && alarms)
    (void)link.publish(settings.topic + "/alarm", alarmJson(*alarms), 1, true);
}

void MqttPublisher::batteryChanged(const std::string& state) {
  battery = state;
  publishBattery();
}

void MqttPublisher::publishBattery() {
  if (isConnected() && !battery.empty())
    (void)link.publish(settings.topic + "/battery", battery, 1, true);
}

}  // namespace tamsel
