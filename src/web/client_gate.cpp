#include "web/client_gate.h"

#include <sys/socket.h>

#include "web/fixed_answers.h"

namespace tamsel {
namespace {

// How long a connection being closed may take to read its answer.
constexpr int kClosingMs = 2000;

}  // namespace

ClientSocket::ClientSocket(int idleMs, QObject* parent) : QTcpSocket(parent) {
  idle.setSingleShot(true);
  idle.setInterval(idleMs);
  connect(&idle, &QTimer::timeout, this, [this] {
    if (!streaming) abort();
  });
  idle.start();
}

void ClientSocket::startStreaming() {
  streaming = true;
  idle.stop();
}

// Runs before the HTTP server reads, so what it counts is what just arrived.
void ClientSocket::received(qint64 mostRequestBytes) {
  if (!streaming) idle.start();
  unanswered += bytesAvailable();
  if (unanswered > mostRequestBytes) finishWith(headersTooLargeAnswer());
}

void ClientSocket::finishWith(const QByteArray& answer, int delayMs) {
  // The server reads no more from this connection, and what it kept of an
  // unfinished request is let go.
  disconnect(this, &QTcpSocket::readyRead, nullptr, nullptr);
  if (isTransactionStarted()) commitTransaction();
  readAll();
  idle.stop();
  QTimer::singleShot(delayMs, this, [this, answer] { ClientGate::answerAndClose(this, answer); });
}

ClientGate::ClientGate(Limits limits, QObject* parent) : QTcpServer(parent), limits(limits) {}

ClientGate::~ClientGate() {
  // The sockets go with the gate; their count does not need keeping any more.
  for (QObject* child : children()) disconnect(child, nullptr, this, nullptr);
}

void ClientGate::incomingConnection(qintptr handle) {
  if (clients >= limits.mostClients) return refuse(handle);
  auto* socket = new ClientSocket(limits.idleMs, this);
  if (!socket->setSocketDescriptor(handle)) {
    delete socket;
    return;
  }
  ++clients;
  connect(socket, &QObject::destroyed, this, [this] { --clients; });
  // The HTTP server lets go of a connection only when it had a request.
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  // Connected before the server's own reading, so it runs first.
  connect(socket, &QTcpSocket::readyRead, this,
          [this, socket] { socket->received(limits.mostRequestBytes); });
  addPendingConnection(socket);
}

void ClientGate::refuse(qintptr handle) {
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(handle) || refusing >= limits.mostClients) {
    // A flood beyond twice the limit is not even answered.
    socket->abort();
    socket->deleteLater();
    return;
  }
  ++refusing;
  connect(socket, &QObject::destroyed, this, [this] { --refusing; });
  answerAndClose(socket, serviceUnavailableAnswer());
}

void ClientGate::answerAndClose(QTcpSocket* socket, const QByteArray& answer) {
  connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
    if (socket->bytesToWrite() == 0)
      ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
  });
  QTimer::singleShot(kClosingMs, socket, [socket] { socket->abort(); });
  socket->write(answer);
}

}  // namespace tamsel
