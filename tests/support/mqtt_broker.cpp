#include "support/mqtt_broker.h"

#include <mosquitto.h>

#include <QTcpSocket>

#include "support/free_port.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

bool acceptsConnections(int port) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  return socket.waitForConnected(1000);
}

}  // namespace

MqttBroker::MqttBroker() : port_(freeLocalPort()) {
  folder_.write("broker.conf", "listener " + std::to_string(port_) +
                                   " 127.0.0.1\n"
                                   "allow_anonymous true\n"
                                   "user root\n"
                                   "persistence true\n"
                                   "persistence_location " +
                                   folder_.path() + "/\nlog_dest none\n");
}

bool MqttBroker::start() {
  return broker_.start({"/usr/sbin/mosquitto", "-c", folder_.file("broker.conf")},
                       folder_.file("broker.log")) &&
         waitUntil([&] { return acceptsConnections(port_); }, 10000);
}

void MqttBroker::stop() {
  broker_.stop(SIGTERM, 10000);
}

MqttSubscriber::MqttSubscriber(int port) {
  mosquitto_lib_init();
  client_ = mosquitto_new("tamsel-test-subscriber", false, this);
  mosquitto_connect_callback_set(client_, &MqttSubscriber::onConnect);
  mosquitto_message_callback_set(client_, &MqttSubscriber::onMessage);
  mosquitto_subscribe_callback_set(client_, &MqttSubscriber::onSubscribe);
  mosquitto_reconnect_delay_set(client_, 1, 1, false);
  mosquitto_connect_async(client_, "127.0.0.1", port, 60);
  mosquitto_loop_start(client_);
}

MqttSubscriber::~MqttSubscriber() {
  mosquitto_disconnect(client_);
  mosquitto_loop_stop(client_, true);
  mosquitto_destroy(client_);
}

void MqttSubscriber::onConnect(struct mosquitto* client, void*, int result) {
  if (result == 0) mosquitto_subscribe(client, nullptr, "#", 1);
}

void MqttSubscriber::onSubscribe(struct mosquitto*, void* self, int, int, const int*) {
  auto* subscriber = static_cast<MqttSubscriber*>(self);
  std::lock_guard lock(subscriber->mutex_);
  ++subscriber->subscriptions_;
}

void MqttSubscriber::onMessage(struct mosquitto*, void* self,
                               const struct mosquitto_message* message) {
  auto* subscriber = static_cast<MqttSubscriber*>(self);
  std::lock_guard lock(subscriber->mutex_);
  subscriber->messages_.push_back(
      {message->topic, std::string(static_cast<const char*>(message->payload),
                                   static_cast<size_t>(message->payloadlen))});
}

std::vector<std::string> MqttSubscriber::payloadsOn(const std::string& topic) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> payloads;
  for (const MqttMessage& m : messages_) {
    if (m.topic == topic) payloads.push_back(m.payload);
  }
  return payloads;
}

int MqttSubscriber::subscriptions() const {
  std::lock_guard lock(mutex_);
  return subscriptions_;
}

}  // namespace tamsel::test
