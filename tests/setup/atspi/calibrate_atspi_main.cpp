// The calibration window on a real display with one frame received, for
// calibrate_atspi.py to read as a screen reader does. Runs until killed.
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "config/calibration.h"
#include "config/program_config.h"
#include "platform/text_file.h"
#include "setup/calibrate.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial.h"

using namespace tamsel;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  ProgramConfig program = setupDefaults();
  program.Port = "3";
  program.WSUnits = "knots";
  if (!replaceFile(programConfigPath(folder), programConfigText(program)) ||
      !replaceFile(calibrationPath(folder), calibrationText({"40", "100", "20", "14", "2"}))) {
    std::fputs("cannot write the configuration\n", stderr);
    return 1;
  }
  test::FakeSerial serial;
  serial.availablePorts = {3};
  test::FakeDialogs dialogs;
  Calibrate window(folder, serial, dialogs);
  if (Status loaded = window.Form_Load(); !loaded) {
    std::fprintf(stderr, "load failed: %s\n", loaded.error.c_str());
    return 1;
  }
  window.show();
  // Received once the event loop runs, as a real port's text would be.
  QTimer::singleShot(0, &window, [&serial] {
    serial.deliver("[<V>501</V><I>374</I><R>7</R><S>13</S><C>895</C>]");
  });
  return app.exec();
}
