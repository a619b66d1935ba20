#pragma once
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/serial/serial_control.h"
#include "platform/serial/serial_line.h"

namespace tamsel {

// The serial control on Qt's event loop. It owns the device rather than using
// Qt's serial port, which wakes the thread on every readiness: a board
// sending 200 frames a second then costs 200 wakes a second, and the wakes,
// not the frames, are most of the program's work. Here reads are paced: a
// line that has been quiet is read at once, a busy one every kReadSpacingMs
// at most, taking several frames per wake, and sooner when it brings bytes
// fast enough to fill the system's buffer (readSpacingMs). Nothing is ever
// dropped.
//
// A port that fails while open is closed at once (a hung-up device otherwise
// stays readable and wakes the loop in a tight spin), reported once through
// lost(), and reopened on a timer.
class QtSerialControl final : public SerialControl {
  Q_OBJECT
 public:
  QtSerialControl(std::string programFolder, QObject* parent = nullptr);

  Status open(int commPort, const std::string& settings) override;
  void close() override;
  bool isOpen() const override { return line_.isOpen(); }
  int commPort() const override { return commPort_; }
  std::string settings() const override { return settings_; }

  static constexpr int kRetryMs = 2000;

 private:
  Status openDevice();
  void closeDevice();
  void onReadable();
  void readAndHandOn(bool paced);
  void retry();

  std::string programFolder_;
  SerialLine line_;
  QSocketNotifier readable_{QSocketNotifier::Read};
  QTimer paceTimer_;
  QElapsedTimer sinceRead_;
  int spacingMs_ = kReadSpacingMs;  // between reads while the line is busy
  QTimer retryTimer_;
  int commPort_ = 0;
  std::string settings_;
};

}  // namespace tamsel
