#pragma once
#include <QHostAddress>
#include <QTcpServer>

namespace tamsel::test {

// A loopback port nobody listens on now, for a server a test starts.
inline quint16 freeLocalPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

}  // namespace tamsel::test
