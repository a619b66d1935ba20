#pragma once
// SIGTERM, SIGINT and SIGHUP as an event of the Qt event loop, so a service
// manager stopping the program, Ctrl+C or a closed terminal leaves the way
// "Exit" does.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace tamsel {

// Called first thing in main(): from then on the three signals no longer end
// the program but are held until a TerminationSignals hands them on, so one
// that comes while the program is still starting is not lost, nor does it
// cut the program off before it can write its leaving line.
void holdTerminationSignals();

// Hands the held signals, and every later one, to the event loop as
// requested(). Made once start-up has run, so a request never overtakes it.
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
