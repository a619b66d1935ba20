#pragma once
// A real MQTT broker on a free loopback port, with a configuration of the
// tests' own, and a subscriber that collects what is published to it.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

struct mosquitto;
struct mosquitto_message;

namespace tamsel::test {

class MqttBroker {
 public:
  MqttBroker();  // picks a free port; does not start

  // Starts the broker and waits until it takes connections. Sessions and
  // retained messages outlive a stop and start (the broker saves them).
  bool start();
  void stop();
  int port() const { return port_; }

 private:
  TempFolder folder_;
  int port_ = 0;
  ChildProcess broker_;
};

struct MqttMessage {
  std::string topic;
  std::string payload;
};

// Subscribes to "#" with QoS 1 on a lasting session, so messages published
// while it is reconnecting after a broker restart still reach it.
class MqttSubscriber {
 public:
  explicit MqttSubscriber(int port);
  ~MqttSubscriber();
  MqttSubscriber(const MqttSubscriber&) = delete;
  MqttSubscriber& operator=(const MqttSubscriber&) = delete;

  std::vector<std::string> payloadsOn(const std::string& topic) const;
  // Subscriptions the broker has confirmed: one per connection.
  int subscriptions() const;

 private:
  static void onConnect(struct mosquitto*, void* self, int result);
  static void onSubscribe(struct mosquitto*, void* self, int mid, int count, const int* granted);
  static void onMessage(struct mosquitto*, void* self, const struct mosquitto_message* message);

  struct mosquitto* client_ = nullptr;
  mutable std::mutex mutex_;
  std::vector<MqttMessage> messages_;
  int subscriptions_ = 0;
};

}  // namespace tamsel::test
