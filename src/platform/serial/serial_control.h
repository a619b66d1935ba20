#pragma once
// The serial communications control: one port, opened with a port number and
// line settings, handing every received byte on as text. Received text is
// read whole on each event; nothing waiting is ever discarded.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

#include "platform/status.h"

namespace tamsel {

class SerialControl : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~SerialControl() override = default;

  // CommPort + Settings + PortOpen = True. Fails if the port does not exist,
  // is in use, or the number or settings name no port.
  virtual Status open(int commPort, const std::string& settings) = 0;
  // PortOpen = False; also ends any retrying after a lost port.
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual int commPort() const = 0;
  virtual std::string settings() const = 0;

 signals:
  // Everything that was waiting, in the order received.
  void received(const QByteArray& text);
  // The open port failed (unplugged, hung up): it is closed now and will be
  // retried every two seconds until it opens again or close() is called.
  void lost(const QString& description);
  // A lost port opened again.
  void restored();
};

}  // namespace tamsel
