#include "platform/serial/qt_serial_control.h"

#include "platform/serial_settings.h"

namespace tamsel {

QtSerialControl::QtSerialControl(std::string programFolder, QObject* parent)
    : SerialControl(parent), programFolder_(std::move(programFolder)) {
  readable_.setEnabled(false);
  paceTimer_.setSingleShot(true);
  retryTimer_.setInterval(kRetryMs);
  connect(&readable_, &QSocketNotifier::activated, this, &QtSerialControl::onReadable);
  connect(&paceTimer_, &QTimer::timeout, this, [this] { readAndHandOn(true); });
  connect(&retryTimer_, &QTimer::timeout, this, &QtSerialControl::retry);
}

Status QtSerialControl::open(int commPort, const std::string& settings) {
  retryTimer_.stop();
  if (isOpen()) return Status::failure("Port already open");
  commPort_ = commPort;
  settings_ = settings;
  return openDevice();
}

Status QtSerialControl::openDevice() {
  const std::string device = deviceForPort(commPort_, programFolder_);
  if (device.empty()) return Status::failure("Invalid port number");
  auto baud = baudRateFromSettings(settings_);
  if (!baud) return Status::failure("Invalid port settings: " + settings_);
  if (Status opened = line_.open(device, *baud); !opened) return opened;
  sinceRead_.invalidate();  // the first bytes are read as soon as they come
  readable_.setSocket(line_.descriptor());
  readable_.setEnabled(true);
  return {};
}

void QtSerialControl::close() {
  retryTimer_.stop();
  closeDevice();
}

void QtSerialControl::closeDevice() {
  paceTimer_.stop();
  readable_.setEnabled(false);
  line_.close();
}

// The line became readable. Read at once unless the last read was recent;
// then wait out the spacing with the notifier off, so the bytes arriving
// meanwhile cost no wakes.
void QtSerialControl::onReadable() {
  const qint64 since = sinceRead_.isValid() ? sinceRead_.elapsed() : spacingMs_;
  if (since < spacingMs_) {
    readable_.setEnabled(false);
    paceTimer_.start(static_cast<int>(spacingMs_ - since));
    return;
  }
  readAndHandOn(false);
}

// A paced read that found something expects more and keeps to the timer; one
// that found nothing means the line went quiet, so the next bytes wake us.
void QtSerialControl::readAndHandOn(bool paced) {
  std::string text;
  const Status read = line_.readWaiting(text);
  const qint64 since = sinceRead_.isValid() ? sinceRead_.restart() : kReadSpacingMs;
  if (!sinceRead_.isValid()) sinceRead_.start();
  spacingMs_ = readSpacingMs(text.size(), since);
  if (!read) {
    closeDevice();
    retryTimer_.start();
  } else if (paced && text.empty()) {
    readable_.setEnabled(true);
  } else if (paced) {
    paceTimer_.start(spacingMs_);
  }
  // State is settled before anyone hears of it: a listener may close the port.
  if (!text.empty()) emit received(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  // The system's text for a hang-up ("Input/output error", "hung up") says
  // little to a user: name what happened first.
  if (!read)
    emit lost(QStringLiteral("device disconnected (%1)").arg(QString::fromStdString(read.error)));
}

void QtSerialControl::retry() {
  if (isOpen()) {
    retryTimer_.stop();
    return;
  }
  if (openDevice()) {
    retryTimer_.stop();
    emit restored();
  }
}

}  // namespace tamsel
