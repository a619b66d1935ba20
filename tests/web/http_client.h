#pragma once
// A raw HTTP/1.1 client on a real socket, driven by the test's event loop:
// it sends exactly the bytes a test gives and reads the answer as it comes.
#include <QTcpSocket>
#include <map>
#include <memory>
#include <string>

namespace tamsel::test {

struct HttpReply {
  int status = 0;                              // 0: no whole answer arrived
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
  std::string header(const std::string& name) const {
    auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
  }
};

class HttpClient {
 public:
  explicit HttpClient(quint16 port);
  bool connected() const { return socket->state() == QAbstractSocket::ConnectedState; }
  // Whether the server closed the connection (waits for it).
  bool closedByServer(int timeoutMs = 15000);
  void send(const std::string& bytes);
  // Sends a request and waits for its whole answer.
  HttpReply request(const std::string& target, const std::string& extraHeaders = {},
                    const std::string& method = "GET");
  // The answer's head and as much body as is there; waits for the head.
  HttpReply readHead(int timeoutMs = 15000);
  // Waits until the received text holds `text` after what was taken; takes
  // up to it.
  bool waitFor(const std::string& text, int timeoutMs = 15000);
  std::string& received() { return buffer; }
  QTcpSocket& raw() { return *socket; }

 private:
  std::unique_ptr<QTcpSocket> socket;
  std::string buffer;
};

}  // namespace tamsel::test
