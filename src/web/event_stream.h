#pragma once
// The live page's event stream (Server-Sent Events). Frames may come many
// times a second; the stream sends at most one event per `gapMs` (200 ms:
// five a second), always the newest reading, made once for every client.
// Nothing here waits on a client: a client that does not read its events
// is dropped when what waits for it passes `mostBacklog` bytes. At most
// `mostClients` follow at once, fewer than the server's connections, so
// followers that never leave cannot take every connection.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace tamsel {

class EventStream : public QObject {
  Q_OBJECT
 public:
  struct Limits {
    int gapMs = 200;
    int keepAliveMs = 15'000;
    qint64 mostBacklog = 256 * 1024;
    int mostClients = 32;
  };
  // `reading` makes the event's data: the reading JSON on one line.
  EventStream(std::function<std::string()> reading, Limits limits, QObject* parent = nullptr);

  // A client whose answer headers were written: it gets the reading now and
  // every change from here on.
  void follow(QTcpSocket* client);
  // The reading changed: an event goes out within the gap.
  void changed();

  int clientCount() const;
  bool full() const { return clientCount() >= limits.mostClients; }
  static QByteArray eventText(const std::string& data);

 private:
  void push();
  void send(const QByteArray& text);
  bool sendTo(QTcpSocket* client, const QByteArray& text);

  const std::function<std::string()> reading;
  const Limits limits;
  std::vector<QPointer<QTcpSocket>> clients;
  QTimer pushTimer;
  QTimer keepAlive;
  QElapsedTimer sinceLastPush;
};

}  // namespace tamsel
