#pragma once
// SIGTERM and SIGINT as an event of the Qt event loop, so a service manager
// stopping the program (or Ctrl+C) leaves the way "Exit" does.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace tamsel {

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void requested();

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tamsel
