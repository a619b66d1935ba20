#pragma once
// The dashboard's listening socket, which decides who gets in and how long
// they may stay, before the HTTP server reads a byte: at most `mostClients`
// connections (the next is answered 503 and closed), a connection that sends
// nothing for `idleMs` is dropped (unless it is following the event stream),
// and a connection that sends more than `mostRequestBytes` without getting
// an answer (every request is a bodiless GET, so that is its request line
// and headers) is answered 431 and closed.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tamsel {

class ClientSocket : public QTcpSocket {
  Q_OBJECT
 public:
  explicit ClientSocket(int idleMs, QObject* parent);

  // An answer went out: the next request starts counting from nothing.
  void answered() { unanswered = 0; }
  // The connection now follows the event stream: it may stay silent.
  void startStreaming();
  bool isStreaming() const { return streaming; }
  // The connection's last answer, `delayMs` from now; nothing it sends is
  // read any more.
  void finishWith(const QByteArray& answer, int delayMs = 0);

 private:
  friend class ClientGate;
  void received(qint64 mostRequestBytes);

  QTimer idle;
  qint64 unanswered = 0;  // bytes received since the last answer
  bool streaming = false;
};

class ClientGate : public QTcpServer {
  Q_OBJECT
 public:
  struct Limits {
    int mostClients = 64;
    int idleMs = 10'000;
    qint64 mostRequestBytes = 16 * 1024;
  };
  explicit ClientGate(Limits limits, QObject* parent = nullptr);
  ~ClientGate() override;

  int clientCount() const { return clients; }

  // Writes `answer`, then closes the connection without losing it: the
  // sending side is shut first and what the client still sends is read
  // away, so the answer is not cut off by a reset.
  static void answerAndClose(QTcpSocket* socket, const QByteArray& answer);

 protected:
  void incomingConnection(qintptr handle) override;

 private:
  void refuse(qintptr handle);

  const Limits limits;
  int clients = 0;
  int refusing = 0;  // refused connections still closing
};

}  // namespace tamsel
