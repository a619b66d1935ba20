#include "platform/serial/qt_serial_control.h"

#include <cerrno>

#include "platform/serial_settings.h"

namespace tamsel {

QtSerialControl::QtSerialControl(std::string programFolder, QObject* parent)
    : SerialControl(parent), programFolder_(std::move(programFolder)) {
  retryTimer_.setInterval(kRetryMs);
  connect(&port_, &QSerialPort::readyRead, this, &QtSerialControl::onReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialControl::onError);
  connect(&retryTimer_, &QTimer::timeout, this, &QtSerialControl::retry);
}

Status QtSerialControl::open(int commPort, const std::string& settings) {
  retryTimer_.stop();
  if (port_.isOpen()) return Status::failure("Port already open");
  commPort_ = commPort;
  settings_ = settings;
  return openDevice();
}

Status QtSerialControl::openDevice() {
  opening_ = true;
  Status opened = configureDevice();
  opening_ = false;
  return opened;
}

Status QtSerialControl::configureDevice() {
  const std::string device = deviceForPort(commPort_, programFolder_);
  if (device.empty()) return Status::failure("Invalid port number");
  auto baud = baudRateFromSettings(settings_);
  if (!baud) return Status::failure("Invalid port settings: " + settings_);
  port_.setPortName(QString::fromStdString(device));
  errno = 0;
  if (!port_.open(QIODevice::ReadOnly)) {
    // Qt reports a port locked by another program as a permission error too;
    // only the system's refusal means the user lacks the dialout group.
    const bool denied =
        port_.error() == QSerialPort::PermissionError && (errno == EACCES || errno == EPERM);
    // Name the device: "/dev/ttyS2: No such file or directory" tells the user where to look.
    return Status::failure(openFailureText(device, port_.errorString().toStdString(), denied));
  }
  // Line settings go after opening: a pseudo-terminal accepts them only then.
  if (!port_.setBaudRate(*baud) || !port_.setDataBits(QSerialPort::Data8) ||
      !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::OneStop) ||
      !port_.setFlowControl(QSerialPort::NoFlowControl)) {
    const std::string reason = port_.errorString().toStdString();
    port_.close();
    return Status::failure(reason);
  }
  return {};
}

void QtSerialControl::close() {
  retryTimer_.stop();
  if (port_.isOpen()) port_.close();
}

void QtSerialControl::onReadyRead() {
  const QByteArray text = port_.readAll();
  if (!text.isEmpty()) emit received(text);
}

void QtSerialControl::onError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
  if (opening_ || !port_.isOpen()) return;  // open() reports its own failures
  // The system's text for a hang-up ("Inappropriate ioctl for device", "No
  // such file or directory") says little to a user: name what happened first.
  const QString description = QStringLiteral("device disconnected (%1)").arg(port_.errorString());
  port_.close();
  port_.clearError();
  retryTimer_.start();
  emit lost(description);
}

void QtSerialControl::retry() {
  if (port_.isOpen()) {
    retryTimer_.stop();
    return;
  }
  if (openDevice()) {
    retryTimer_.stop();
    emit restored();
  }
}

}  // namespace tamsel
