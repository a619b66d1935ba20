#include "mqtt/mqtt_client.h"

#include <mosquitto.h>

#include <QHostAddress>
#include <QHostInfo>
#include <algorithm>
#include <mutex>
#include <utility>

namespace tamsel {
namespace {

constexpr int kHousekeepingMs = 1000;

void initialiseLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

}  // namespace

MqttClient::MqttClient(MqttSettings settings, Will will, QObject* parent)
    : QObject(parent), settings(std::move(settings)), will(std::move(will)) {
  initialiseLibrary();
  misc.setInterval(kHousekeepingMs);
  connect(&misc, &QTimer::timeout, this, &MqttClient::housekeeping);
  retry.setSingleShot(true);
  connect(&retry, &QTimer::timeout, this, &MqttClient::connectToBroker);
}

MqttClient::~MqttClient() {
  if (lookupId >= 0) QHostInfo::abortHostLookup(lookupId);
  closeClient();
}

void MqttClient::start() {
  stopping = false;
  connectToBroker();
}

void MqttClient::stop() {
  stopping = true;
  retry.stop();
  if (lookupId >= 0) QHostInfo::abortHostLookup(std::exchange(lookupId, -1));
  if (client && connected) {
    (void)publish(will.topic, will.payload, 1, true);
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
void MqttClient::connectToBroker() {
  if (stopping || client || lookupId >= 0) return;
  if (!QHostAddress(QString::fromStdString(settings.host)).isNull()) {
    openClient(settings.host);
    return;
  }
  lookupId =
      QHostInfo::lookupHost(QString::fromStdString(settings.host), this, &MqttClient::hostResolved);
}

void MqttClient::hostResolved(const QHostInfo& info) {
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

void MqttClient::openClient(const std::string& address) {
  client = mosquitto_new(settings.clientId.c_str(), true, this);
  if (!client) return fail("the MQTT client could not be made");
  mosquitto_connect_callback_set(client, &MqttClient::connectCallback);
  mosquitto_publish_callback_set(client, &MqttClient::publishCallback);
  int result = mosquitto_will_set(client, will.topic.c_str(), static_cast<int>(will.payload.size()),
                                  will.payload.data(), 1, true);
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

void MqttClient::connectCallback(struct mosquitto*, void* self, int result) {
  static_cast<MqttClient*>(self)->onConnected(result);
}

void MqttClient::publishCallback(struct mosquitto*, void* self, int mid) {
  emit static_cast<MqttClient*>(self)->published(mid);
}

void MqttClient::onConnected(int result) {
  if (result != 0) return;  // the read that brought the refusal fails and says why
  connected = true;
  retrySeconds = 1;
  emit connectedToBroker();
}

// ---- The socket --------------------------------------------------------------------

void MqttClient::serviceSocket(int (*step)(struct mosquitto*, int)) {
  if (!client) return;
  if (const int result = step(client, 1); result != MOSQ_ERR_SUCCESS) return fail(failure(result));
  watchWrites();
}

void MqttClient::housekeeping() {
  if (!client) return;
  if (const int result = mosquitto_loop_misc(client); result != MOSQ_ERR_SUCCESS) {
    return fail(failure(result));
  }
  watchWrites();
}

// Writes are watched only while packets wait; a socket that can always be
// written would wake the loop for nothing.
void MqttClient::watchWrites() {
  if (client && writable) writable->setEnabled(mosquitto_want_write(client));
}

void MqttClient::fail(const std::string& reason) {
  closeClient();
  if (stopping) return;
  emit failed(QString::fromStdString(reason));
  retry.start(retrySeconds * 1000);
  retrySeconds = std::min(retrySeconds * 2, kLongestRetrySeconds);
}

// The library has no words for some of its results ("Unknown error.").
std::string MqttClient::failure(int result) const {
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

void MqttClient::closeClient() {
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
}

bool MqttClient::publish(const std::string& topic, const std::string& payload, int qos, bool retain,
                         int* mid) {
  if (!client) return false;
  const int result = mosquitto_publish(client, mid, topic.c_str(), static_cast<int>(payload.size()),
                                       payload.data(), qos, retain);
  watchWrites();
  return result == MOSQ_ERR_SUCCESS;
}

}  // namespace tamsel
