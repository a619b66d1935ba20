// Tamsel: a data logger for a wind-generator battery-charging system.
#include <QApplication>
#include <QTimer>

#include "app/orvane_logger.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/qt_serial_control.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(tamsel::kProgramTitle);
  // All files live beside the program.
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();

  tamsel::SystemClock clock;
  tamsel::QtDialogs dialogs;
  tamsel::QtSerialControl serial(folder);
  tamsel::QtSerialControl calibrationSerial(folder);
  tamsel::OrvaneLogger window({folder, clock, dialogs, serial, calibrationSerial});
  window.show();
  // Start-up may ask the user about the port: do it with the window on screen.
  QTimer::singleShot(0, &window, &tamsel::OrvaneLogger::Form_Load);
  return app.exec();
}
