#include "web/event_stream.h"

#include <algorithm>

namespace tamsel {

EventStream::EventStream(std::function<std::string()> reading, Limits limits, QObject* parent)
    : QObject(parent), reading(std::move(reading)), limits(limits) {
  pushTimer.setSingleShot(true);
  connect(&pushTimer, &QTimer::timeout, this, &EventStream::push);
  keepAlive.setInterval(limits.keepAliveMs);
  connect(&keepAlive, &QTimer::timeout, this, [this] { send(": keep-alive\n\n"); });
}

QByteArray EventStream::eventText(const std::string& data) {
  return "event: reading\ndata: " + QByteArray::fromStdString(data) + "\n\n";
}

void EventStream::follow(QTcpSocket* client) {
  if (!sendTo(client, eventText(reading()))) return;
  clients.emplace_back(client);
  if (!keepAlive.isActive()) keepAlive.start();
}

void EventStream::changed() {
  if (clients.empty() || pushTimer.isActive()) return;  // the pending push takes the newest
  const qint64 since = sinceLastPush.isValid() ? sinceLastPush.elapsed() : limits.gapMs;
  pushTimer.start(static_cast<int>(std::max<qint64>(0, limits.gapMs - since)));
}

int EventStream::clientCount() const {
  return static_cast<int>(std::count_if(clients.begin(), clients.end(),
                                        [](const QPointer<QTcpSocket>& c) { return !c.isNull(); }));
}

void EventStream::push() {
  sinceLastPush.start();
  send(eventText(reading()));
}

void EventStream::send(const QByteArray& text) {
  std::erase_if(clients, [&](const QPointer<QTcpSocket>& client) {
    return client.isNull() || !sendTo(client, text);
  });
  if (clients.empty()) keepAlive.stop();
}

bool EventStream::sendTo(QTcpSocket* client, const QByteArray& text) {
  if (client->state() != QAbstractSocket::ConnectedState) return false;
  if (client->bytesToWrite() + text.size() > limits.mostBacklog) {
    client->abort();  // it does not read: dropped, never waited for
    return false;
  }
  client->write(text);
  client->flush();  // sent now, not at the socket's next turn in the loop
  return true;
}

}  // namespace tamsel
