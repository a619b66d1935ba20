#pragma once
// The dashboard's listening socket, which decides who gets in and how long
// they may stay, before the HTTP server reads a byte:
// - at most `mostClients` connections, `mostPerAddress` of them from one
//   address (an IPv6 client counts by its /64 network) and, while a password
//   is asked, `mostUnknownPerAddress` that have not shown it yet; the next
//   is answered 503 and closed;
// - a request's head (its line and headers) must be whole within `headMs`
//   of the connection's start or of its last answer, however slowly it
//   trickles in; a connection following the event stream is exempt;
// - each head is checked strictly (see request_head.h) before the server
//   parses it: a doubtful one is answered 400 and closed, and one longer
//   than `mostRequestBytes` 431 and closed. Requests come one at a time:
//   one sent before the answer to the one before is refused as doubtful.
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

namespace tamsel {

class ClientSocket : public QTcpSocket {
  Q_OBJECT
 public:
  ClientSocket(QString peerKey, int headMs, QObject* parent);

  // Whether the server still answers requests here (it does not once the
  // connection streams events or is being closed).
  bool takesRequests() const { return !streaming && !finishing; }
  // For the request the server now answers: whether its client asked for
  // the connection to end after the answer.
  bool takeCloseWanted();
  // An answer went out: the next request's head has its own deadline.
  void answered();
  // The connection showed the password.
  void knownNow() { known = true; }
  bool isKnown() const { return known; }
  // The connection now follows the event stream: it may stay silent, and
  // what it sends is read away.
  void startStreaming();
  bool isStreaming() const { return streaming; }
  // The connection's last answer, `delayMs` from now; nothing it sends is
  // read any more.
  void finishWith(const QByteArray& answer, int delayMs = 0);
  // Nothing more is read from the connection; `then` runs `delayMs` from now.
  void holdThen(int delayMs, std::function<void()> then);
  // Ends the connection once what was written to it has been sent.
  void closeWhenSent();
  const QString& peerKey() const { return peer; }

 private:
  friend class ClientGate;
  void received(qint64 mostRequestBytes);
  void stopReading();

  const QString peer;
  QTimer headDeadline;
  std::string unchecked;         // received bytes not yet checked as a whole head
  std::deque<bool> closeWanted;  // per checked head the server has not answered
  bool streaming = false;
  bool finishing = false;
  bool known = false;
};

class ClientGate : public QTcpServer {
  Q_OBJECT
 public:
  struct Limits {
    int mostClients = 64;
    int mostPerAddress = 16;
    int mostUnknownPerAddress = 8;
    int headMs = 10'000;
    qint64 mostRequestBytes = 16 * 1024;
  };
  explicit ClientGate(Limits limits, QObject* parent = nullptr);

  // Connections that have not shown the password are counted from now on.
  void setPasswordAsked(bool asked) { passwordAsked = asked; }
  int clientCount() const;

  // Writes `answer`, then closes the connection without losing it: the
  // sending side is shut first and what the client still sends is read
  // away, so the answer is not cut off by a reset.
  static void answerAndClose(QTcpSocket* socket, const QByteArray& answer);
  static void closeOnceSent(QTcpSocket* socket);
  // The address a client is counted by: IPv4 (also when mapped into IPv6)
  // as it is, IPv6 by its /64 network, which one client usually holds whole.
  static QString peerKeyOf(const QHostAddress& address);

 protected:
  void incomingConnection(qintptr handle) override;

 private:
  bool admits(const QString& peer) const;
  void refuse(qintptr handle);

  const Limits limits;
  bool passwordAsked = false;
};

}  // namespace tamsel
