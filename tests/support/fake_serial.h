#pragma once
#include <set>

#include "platform/serial/serial_control.h"

namespace tamsel::test {

// A serial control whose ports exist only when a test says so.
class FakeSerial : public SerialControl {
  Q_OBJECT
 public:
  Status open(int commPort, const std::string& settings) override {
    ++openCalls;
    if (open_) return Status::failure("Port already open");
    commPort_ = commPort;
    settings_ = settings;
    if (commPort <= 0 || !availablePorts.count(commPort)) {
      return Status::failure("The port does not exist");
    }
    open_ = true;
    return {};
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  int commPort() const override { return commPort_; }
  std::string settings() const override { return settings_; }

  void deliver(const std::string& text) { emit received(QByteArray::fromStdString(text)); }
  // The device goes away and comes back while open, as the real control
  // reports it: closed and lost(), then open again and restored().
  void lose(const QString& description) {
    open_ = false;
    emit lost(description);
  }
  void restore() {
    open_ = true;
    emit restored();
  }

  std::set<int> availablePorts;
  int openCalls = 0;

 private:
  bool open_ = false;
  int commPort_ = 0;
  std::string settings_;
};

}  // namespace tamsel::test
