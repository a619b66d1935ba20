#include "web/http_client.h"

#include <cctype>

#include "support/wait_until.h"

namespace tamsel::test {
namespace {

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

HttpClient::HttpClient(quint16 port) : socket(std::make_unique<QTcpSocket>()) {
  QObject::connect(socket.get(), &QTcpSocket::readyRead,
                   [this] { buffer += socket->readAll().toStdString(); });
  socket->connectToHost(QStringLiteral("127.0.0.1"), port);
  // A refused client may be answered and closed at once: connecting is over
  // either way.
  waitUntil(
      [this] {
        return socket->state() != QAbstractSocket::ConnectingState &&
               socket->state() != QAbstractSocket::HostLookupState;
      },
      15000);
}

bool HttpClient::closedByServer(int timeoutMs) {
  return waitUntil([this] { return socket->state() == QAbstractSocket::UnconnectedState; },
                   timeoutMs);
}

void HttpClient::send(const std::string& bytes) {
  socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

HttpReply HttpClient::readHead(int timeoutMs) {
  HttpReply reply;
  if (!waitUntil([this] { return buffer.find("\r\n\r\n") != std::string::npos; }, timeoutMs))
    return reply;
  const size_t end = buffer.find("\r\n\r\n");
  const std::string head = buffer.substr(0, end);
  buffer.erase(0, end + 4);
  reply.status = std::stoi(head.substr(head.find(' ') + 1, 3));
  for (size_t at = head.find("\r\n"); at != std::string::npos;) {
    const size_t next = head.find("\r\n", at + 2);
    const std::string line = head.substr(at + 2, next == std::string::npos ? next : next - at - 2);
    const size_t colon = line.find(':');
    reply.headers[lower(line.substr(0, colon))] = line.substr(colon + 2);
    at = next;
  }
  return reply;
}

HttpReply HttpClient::request(const std::string& target, const std::string& extraHeaders,
                              const std::string& method) {
  send(method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders + "\r\n");
  HttpReply reply = readHead();
  if (reply.status == 0 || method == "HEAD") return reply;
  const size_t length = std::stoul(reply.header("content-length"));
  if (!waitUntil([&] { return buffer.size() >= length; }, 15000)) return {};
  reply.body = buffer.substr(0, length);
  buffer.erase(0, length);
  return reply;
}

bool HttpClient::waitFor(const std::string& text, int timeoutMs) {
  if (!waitUntil([&] { return buffer.find(text) != std::string::npos; }, timeoutMs)) return false;
  buffer.erase(0, buffer.find(text) + text.size());
  return true;
}

}  // namespace tamsel::test
