#include "mqtt/mqtt_publisher.h"

#include <mosquitto.h>

#include <QHostAddress>
#include <QHostInfo>
#include <algorithm>
#include <mutex>
#include <utility>

#include "mqtt/mqtt_payloads.h"

namespace tamsel {
namespace {

constexpr int kHousekeepingMs = 1000;

void initialiseLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

}  // namespace

MqttPublisher::MqttPublisher(MqttSettings settings, Identity identity, const Clock& clock,
                             QObject* parent)
    : QObject(parent), settings(std::move(settings)), identity(std::move(identity)), clock(clock) {
  initialiseLibrary();
  misc.setInterval(kHousekeepingMs);
  connect(&misc, &QTimer::timeout, this, &MqttPublisher::housekeeping);
  retry.setSingleShot(true);
  connect(&retry, &QTimer::timeout, this, &MqttPublisher::connectToBroker);
  readings.setInterval(this->settings.intervalSeconds * 1000);
  connect(&readings, &QTimer::timeout, this, &MqttPublisher::publishReading);
}

MqttPublisher::~MqttPublisher() {
  if (lookupId >= 0) QHostInfo::abortHostLookup(lookupId);
  closeClient();
}

void MqttPublisher::start() {
  stopping = false;
  readings.start();
  connectToBroker();
}

void MqttPublisher::stop() {
  stopping = true;
  retry.stop();
  if (lookupId >= 0) QHostInfo::abortHostLookup(std::exchange(lookupId, -1));
  readings.stop();
  if (client && connected) {
    (void)publish(settings.topic + "/status", "offline", 1, true);
    mosquitto_disconnect(client);
    // Small packets on a connected socket: they leave at once or not at all.
    for (int i = 0; i < 10 && mosquitto_want_write(client); ++i) {
      if (mosquitto_loop_write(client, 1) != MOSQ_ERR_SUCCESS) break;
    }
  }
  closeClient();
}

// ---- Connecting ------------------------------------------------------------------

// A name is looked up by the event loop: the client library's own lookup
// would wait on the name server.
void MqttPublisher::connectToBroker() {
  if (stopping || client || lookupId >= 0) return;
  if (!QHostAddress(QString::fromStdString(settings.host)).isNull()) {
    openClient(settings.host);
    return;
  }
  lookupId = QHostInfo::lookupHost(QString::fromStdString(settings.host), this,
                                   &MqttPublisher::hostResolved);
}

void MqttPublisher::hostResolved(const QHostInfo& info) {
  lookupId = -1;
  if (stopping) return;
  if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
    return fail(settings.host + ": " + info.errorString().toStdString());
  }
  // TLS checks the certificate against the name, so it connects by name;
  // the lookup just made has the answer at hand.
  openClient(settings.caFile.empty() ? info.addresses().front().toString().toStdString()
                                     : settings.host);
}

void MqttPublisher::openClient(const std::string& address) {
  client = mosquitto_new(settings.clientId.c_str(), true, this);
  if (!client) return fail("the MQTT client could not be made");
  mosquitto_connect_callback_set(client, &MqttPublisher::connectCallback);
  mosquitto_publish_callback_set(client, &MqttPublisher::publishCallback);
  const std::string status = settings.topic + "/status";
  int result = mosquitto_will_set(client, status.c_str(), 7, "offline", 1, true);
  if (result == MOSQ_ERR_SUCCESS && !settings.username.empty()) {
    result =
        mosquitto_username_pw_set(client, settings.username.c_str(),
                                  settings.password.empty() ? nullptr : settings.password.c_str());
  }
  if (result == MOSQ_ERR_SUCCESS && !settings.caFile.empty()) {
    result = mosquitto_tls_set(client, settings.caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
  }
  if (result == MOSQ_ERR_SUCCESS) {
    result =
        mosquitto_connect_async(client, address.c_str(), settings.port, settings.keepAliveSeconds);
  }
  if (result != MOSQ_ERR_SUCCESS) return fail(failure(result));
  const int socket = mosquitto_socket(client);
  readable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
  writable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
  connect(readable.get(), &QSocketNotifier::activated, this,
          [this] { serviceSocket(&mosquitto_loop_read); });
  connect(writable.get(), &QSocketNotifier::activated, this,
          [this] { serviceSocket(&mosquitto_loop_write); });
  misc.start();
  watchWrites();
}

void MqttPublisher::connectCallback(struct mosquitto*, void* self, int result) {
  static_cast<MqttPublisher*>(self)->onConnected(result);
}

void MqttPublisher::publishCallback(struct mosquitto*, void* self, int mid) {
  static_cast<MqttPublisher*>(self)->onPublished(mid);
}

// Called from inside the client library: everything here only queues packets.
void MqttPublisher::onConnected(int result) {
  if (result != 0) return;  // the read that brought the refusal fails and says why
  connected = true;
  retrySeconds = 1;
  (void)publish(settings.topic + "/status", "online", 1, true);
  announce();
  for (WaitingRecord& record : records) sendRecord(record);
  publishReading();
  publishAlarms();
  if (lostReported) {
    lostReported = false;
    emit connectionBack();
  }
}

// The dashboard's sensors, retained so that it finds them whenever it starts.
void MqttPublisher::announce() {
  const DiscoveryNames names{settings.topic, settings.clientId, identity.deviceName,
                             identity.version, settings.intervalSeconds};
  for (const RetainedMessage& message : discoveryMessages(names, windUnits)) {
    (void)publish(message.topic, message.payload, 1, true);
  }
  announceAlarms();
}

void MqttPublisher::announceAlarms() {
  if (!alarms) return;
  const DiscoveryNames names{settings.topic, settings.clientId, identity.deviceName,
                             identity.version, settings.intervalSeconds};
  for (const RetainedMessage& message : alarmDiscoveryMessages(names, alarms->settings)) {
    (void)publish(message.topic, message.payload, 1, true);
  }
}

void MqttPublisher::onPublished(int mid) {
  const auto sent = std::find_if(records.begin(), records.end(),
                                 [mid](const WaitingRecord& r) { return r.mid == mid; });
  if (sent != records.end()) records.erase(sent);
}

// ---- The socket --------------------------------------------------------------------

void MqttPublisher::serviceSocket(int (*step)(struct mosquitto*, int)) {
  if (!client) return;
  if (const int result = step(client, 1); result != MOSQ_ERR_SUCCESS) return fail(failure(result));
  watchWrites();
}

void MqttPublisher::housekeeping() {
  if (!client) return;
  if (const int result = mosquitto_loop_misc(client); result != MOSQ_ERR_SUCCESS) {
    return fail(failure(result));
  }
  watchWrites();
}

// Writes are watched only while packets wait; a socket that can always be
// written would wake the loop for nothing.
void MqttPublisher::watchWrites() {
  if (client && writable) writable->setEnabled(mosquitto_want_write(client));
}

void MqttPublisher::fail(const std::string& reason) {
  closeClient();
  if (stopping) return;
  if (!lostReported) {
    lostReported = true;
    emit connectionLost(QString::fromStdString(reason));
  }
  retry.start(retrySeconds * 1000);
  retrySeconds = std::min(retrySeconds * 2, kLongestRetrySeconds);
}

// The library has no words for some of its results ("Unknown error.").
std::string MqttPublisher::failure(int result) const {
  switch (result) {
    case MOSQ_ERR_KEEPALIVE:
      // A peer that takes the connection and never answers ends here too.
      return "no answer from the broker within " + std::to_string(settings.keepAliveSeconds) + " s";
    case MOSQ_ERR_CONN_REFUSED:
      return "the broker refused the connection";
    default:
      return mosquitto_strerror(result);
  }
}

void MqttPublisher::closeClient() {
  connected = false;
  misc.stop();
  // The notifiers go before their socket closes, and later: this may run
  // inside one of them reporting that very socket.
  for (std::unique_ptr<QSocketNotifier>* notifier : {&readable, &writable}) {
    if (!*notifier) continue;
    (*notifier)->setEnabled(false);
    notifier->release()->deleteLater();
  }
  if (client) {
    mosquitto_destroy(client);
    client = nullptr;
  }
  // What was sent on this connection and not acknowledged goes again on the next.
  for (WaitingRecord& record : records) record.mid = -1;
}

// ---- Publishing -------------------------------------------------------------------

bool MqttPublisher::publish(const std::string& topic, const std::string& payload, int qos,
                            bool retain, int* mid) {
  if (!client) return false;
  const int result = mosquitto_publish(client, mid, topic.c_str(), static_cast<int>(payload.size()),
                                       payload.data(), qos, retain);
  watchWrites();
  return result == MOSQ_ERR_SUCCESS;
}

void MqttPublisher::setWindUnits(const std::string& units) {
  if (units == windUnits) return;
  windUnits = units;
  if (connected) announce();
}

void MqttPublisher::readingAccepted(const Reading& reading, double wattHoursToday) {
  latest = reading;
  latestWattHours = wattHoursToday;
  latestAt = clock.now();
  readingWaiting = true;
}

// The dashboard shows the newest reading, so it is retained for whoever subscribes next.
void MqttPublisher::publishReading() {
  if (!connected || !readingWaiting) return;
  if (publish(settings.topic + "/reading",
              readingJson(latest, latestWattHours, windUnits, latestAt), 0, true)) {
    readingWaiting = false;
  }
}

void MqttPublisher::recordWritten(const LocalDateTime& at, const AveragedValues& values,
                                  double wattHours) {
  records.push_back({recordJson(at, values, wattHours, windUnits)});
  if (records.size() > kMostRecordsWaiting) records.pop_front();
  if (connected) sendRecord(records.back());
}

void MqttPublisher::sendRecord(WaitingRecord& record) {
  int mid = -1;
  if (publish(settings.topic + "/record", record.payload, 1, false, &mid)) record.mid = mid;
}

void MqttPublisher::alarmsChanged(const AlarmBoard& board) {
  const bool sensorsChanged = !alarms || alarms->settings.limits != board.settings.limits;
  alarms = board;
  if (!connected) return;  // all of it goes out on connecting
  if (sensorsChanged) announceAlarms();
  publishAlarms();
}

void MqttPublisher::publishAlarms() {
  if (connected && alarms) (void)publish(settings.topic + "/alarm", alarmJson(*alarms), 1, true);
}

}  // namespace tamsel
