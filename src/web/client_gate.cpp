#include "web/client_gate.h"

#include <sys/socket.h>

#include <QHostAddress>

#include "web/fixed_answers.h"
#include "web/request_head.h"

namespace tamsel {
namespace {

// How long a closing connection's client may take to read what is left
// once all was sent, and to take all of it in the first place.
constexpr int kClosingMs = 2000;
constexpr int kSendingMs = 60'000;

QHostAddress peerOf(qintptr handle) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (::getpeername(static_cast<int>(handle), reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return {};
  return QHostAddress(reinterpret_cast<const sockaddr*>(&address));
}

void readAway(QTcpSocket* socket) {
  QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
  socket->readAll();
}

}  // namespace

ClientSocket::ClientSocket(QString peerKey, int headMs, QObject* parent)
    : QTcpSocket(parent), peer(std::move(peerKey)) {
  headDeadline.setSingleShot(true);
  headDeadline.setInterval(headMs);
  // Not through the socket's own signals: those may have been cut by the
  // server when it gave up on a request.
  connect(&headDeadline, &QTimer::timeout, this, [this] {
    abort();
    deleteLater();
  });
  headDeadline.start();
}

bool ClientSocket::takeCloseWanted() {
  if (closeWanted.empty()) return true;  // a request not checked: never kept open
  const bool wanted = closeWanted.front();
  closeWanted.pop_front();
  return wanted;
}

void ClientSocket::answered() {
  if (takesRequests()) headDeadline.start();
}

void ClientSocket::stopReading() {
  // The server reads no more from this connection, and what it kept of an
  // unfinished request is let go.
  disconnect(this, &QTcpSocket::readyRead, nullptr, nullptr);
  if (isTransactionStarted()) commitTransaction();
  readAway(this);
  headDeadline.stop();
}

void ClientSocket::startStreaming() {
  streaming = true;
  stopReading();
}

// Runs before the HTTP server reads, so what it peeks is what just arrived.
void ClientSocket::received(qint64 mostRequestBytes) {
  if (!takesRequests()) return;
  const QByteArray fresh = peek(bytesAvailable());
  unchecked.append(fresh.constData(), static_cast<size_t>(fresh.size()));
  // A head is looked at again only once another of its lines is whole.
  if (!fresh.contains('\n') && static_cast<qint64>(unchecked.size()) <= mostRequestBytes) return;
  const HeadCheck check = checkRequestHead(unchecked);
  const bool tooLong =
      static_cast<qint64>(check.verdict == HeadVerdict::Good ? check.length : unchecked.size()) >
      mostRequestBytes;
  if (tooLong && check.verdict != HeadVerdict::Bad) return finishWith(headersTooLargeAnswer());
  if (check.verdict == HeadVerdict::Incomplete) return;
  if (check.verdict == HeadVerdict::Bad) return finishWith(badRequestAnswer(check.problem));
  // One request at a time: the server then never parses bytes this check
  // has not passed, and each answer is matched to its own request's wishes.
  // A request sent before the one before was answered is refused.
  if (check.length < unchecked.size())
    return finishWith(badRequestAnswer("request sent before the answer to the one before"));
  closeWanted.push_back(check.closeAfter);
  unchecked.clear();
}

void ClientSocket::finishWith(const QByteArray& answer, int delayMs) {
  holdThen(delayMs, [this, answer] { ClientGate::answerAndClose(this, answer); });
}

void ClientSocket::holdThen(int delayMs, std::function<void()> then) {
  finishing = true;
  stopReading();
  QTimer::singleShot(delayMs, this, std::move(then));
}

void ClientSocket::closeWhenSent() {
  finishing = true;
  stopReading();
  ClientGate::closeOnceSent(this);
}

ClientGate::ClientGate(Limits limits, QObject* parent) : QTcpServer(parent), limits(limits) {}

int ClientGate::clientCount() const {
  int count = 0;
  for (const QObject* child : children())
    if (qobject_cast<const ClientSocket*>(child)) ++count;
  return count;
}

QString ClientGate::peerKeyOf(const QHostAddress& address) {
  bool isV4 = false;
  const quint32 v4 = address.toIPv4Address(&isV4);
  if (isV4) return QHostAddress(v4).toString();
  Q_IPV6ADDR bytes = address.toIPv6Address();
  for (int i = 8; i < 16; ++i) bytes[i] = 0;
  return QHostAddress(bytes).toString() + QStringLiteral("/64");
}

bool ClientGate::admits(const QString& peer) const {
  int fromPeer = 0;
  int unknown = 0;
  for (const QObject* child : children()) {
    const auto* socket = qobject_cast<const ClientSocket*>(child);
    if (!socket || socket->peerKey() != peer) continue;
    ++fromPeer;
    if (!socket->isKnown()) ++unknown;
  }
  if (fromPeer >= limits.mostPerAddress) return false;
  return !passwordAsked || unknown < limits.mostUnknownPerAddress;
}

void ClientGate::incomingConnection(qintptr handle) {
  if (clientCount() >= limits.mostClients) return refuse(handle);
  const QString peer = peerKeyOf(peerOf(handle));
  if (!admits(peer)) return refuse(handle);
  auto* socket = new ClientSocket(peer, limits.headMs, this);
  if (!socket->setSocketDescriptor(handle)) {
    delete socket;
    return;
  }
  // The HTTP server lets go of a connection only when it had a request.
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  // Connected before the server's own reading, so it runs first.
  connect(socket, &QTcpSocket::readyRead, this,
          [this, socket] { socket->received(limits.mostRequestBytes); });
  addPendingConnection(socket);
}

void ClientGate::refuse(qintptr handle) {
  int refusing = 0;  // refused connections still closing
  for (const QObject* child : children())
    if (qobject_cast<const QTcpSocket*>(child) && !qobject_cast<const ClientSocket*>(child))
      ++refusing;
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(handle) || refusing >= limits.mostClients) {
    // A flood beyond twice the limit is not even answered.
    socket->abort();
    socket->deleteLater();
    return;
  }
  answerAndClose(socket, serviceUnavailableAnswer());
}

void ClientGate::answerAndClose(QTcpSocket* socket, const QByteArray& answer) {
  socket->write(answer);
  closeOnceSent(socket);
}

void ClientGate::closeOnceSent(QTcpSocket* socket) {
  readAway(socket);
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  auto shutWhenSent = [socket] {
    if (socket->bytesToWrite() > 0) return;
    ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
    QTimer::singleShot(kClosingMs, socket, [socket] { socket->abort(); });
  };
  connect(socket, &QTcpSocket::bytesWritten, socket, shutWhenSent);
  QTimer::singleShot(kSendingMs, socket, [socket] { socket->abort(); });
  shutWhenSent();
}

}  // namespace tamsel
