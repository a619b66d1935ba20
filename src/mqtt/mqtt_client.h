#pragma once
// The connection to an MQTT broker on the program's one thread: the host is
// looked up by the event loop, the client's socket is watched by it and its
// housekeeping (keep-alive, retries of unacknowledged packets) runs on a
// timer, so no step ever waits on the network. A broker that is away costs a
// reconnection attempt now and then (1 s, doubling up to 60 s) and nothing
// else. What is sent, and when, is its user's business.
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>

#include "config/mqtt_config.h"

struct mosquitto;
class QHostInfo;

namespace tamsel {

class MqttClient : public QObject {
  Q_OBJECT
 public:
  // What the broker publishes, retained, should the connection end unsaid;
  // `stop` says it itself.
  struct Will {
    std::string topic;
    std::string payload;
  };

  MqttClient(MqttSettings settings, Will will, QObject* parent = nullptr);
  ~MqttClient() override;

  static constexpr int kLongestRetrySeconds = 60;

  // The first connection attempt; later ones follow by themselves.
  void start();
  // The will, published, then a clean disconnection; no attempts follow.
  void stop();

  bool isConnected() const { return connected; }
  // Queues a message on the connection; false when there is none or the
  // library refuses it. `mid` receives the message id that `published` names.
  bool publish(const std::string& topic, const std::string& payload, int qos, bool retain,
               int* mid = nullptr);

 signals:
  // The broker accepted the connection. Emitted from inside the client
  // library: what is done about it may only queue messages.
  void connectedToBroker();
  // The broker acknowledged the message `mid`.
  void published(int mid);
  // The broker could not be reached or the connection was lost, and why;
  // another attempt follows.
  void failed(const QString& reason);

 private:
  void connectToBroker();
  void hostResolved(const QHostInfo& info);
  void openClient(const std::string& address);
  void onConnected(int result);
  void serviceSocket(int (*step)(struct mosquitto*, int));
  void housekeeping();
  void watchWrites();
  void fail(const std::string& reason);
  std::string failure(int result) const;
  void closeClient();

  static void connectCallback(struct mosquitto*, void* self, int result);
  static void publishCallback(struct mosquitto*, void* self, int mid);

  const MqttSettings settings;
  const Will will;

  struct mosquitto* client = nullptr;
  std::unique_ptr<QSocketNotifier> readable;
  std::unique_ptr<QSocketNotifier> writable;
  QTimer misc;   // keep-alive and retries of unacknowledged packets
  QTimer retry;  // the next connection attempt
  int retrySeconds = 1;
  int lookupId = -1;
  bool connected = false;
  bool stopping = false;
};

}  // namespace tamsel
