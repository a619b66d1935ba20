#pragma once
#include <QSerialPort>
#include <QTimer>

#include "platform/serial/serial_control.h"

namespace tamsel {

// The serial control over Qt's serial port. A port that fails while open is
// closed at once (a hung-up device can otherwise raise read errors in a tight
// loop), reported once through lost(), and reopened on a timer.
class QtSerialControl final : public SerialControl {
  Q_OBJECT
 public:
  QtSerialControl(std::string programFolder, QObject* parent = nullptr);

  Status open(int commPort, const std::string& settings) override;
  void close() override;
  bool isOpen() const override { return port_.isOpen(); }
  int commPort() const override { return commPort_; }
  std::string settings() const override { return settings_; }

  static constexpr int kRetryMs = 2000;

 private:
  Status openDevice();
  Status configureDevice();
  void onReadyRead();
  void onError(QSerialPort::SerialPortError error);
  void retry();

  std::string programFolder_;
  QSerialPort port_;
  QTimer retryTimer_;
  bool opening_ = false;  // errors while opening belong to open(), not to a lost port
  int commPort_ = 0;
  std::string settings_;
};

}  // namespace tamsel
