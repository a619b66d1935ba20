#pragma once
// A main window in a temporary program folder, with a fake clock, fake
// dialogs and a fake serial port, driven through its handlers.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/orvane_logger.h"
#include "session/error_reporter.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial.h"
#include "support/find_control.h"
#include "support/logger_files.h"
#include "support/temp_folder.h"

namespace tamsel::test {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { serial.availablePorts = calibrationSerial.availablePorts = {3}; }

  // Writes the files, builds the window and runs its start-up.
  OrvaneLogger& start(const ProgCfg& cfg = {}, const char* settings = kSettingsCfg) {
    folder.write("prog.cfg", cfg.text());
    return startWithoutProgCfg(settings);
  }
  // A first run: settings.cfg but no prog.cfg.
  OrvaneLogger& startWithoutProgCfg(const char* settings = kSettingsCfg) {
    if (settings) folder.write("settings.cfg", settings);
    // A test may start several windows in turn; each finds the port free.
    window_.reset();
    serial.close();
    window_ = std::make_unique<OrvaneLogger>(OrvaneLogger::Services{
        folder.path(), clock, dialogs, serial, calibrationSerial, {&errorReporter}});
    window_->Form_Load();
    return *window_;
  }
  OrvaneLogger& window() { return *window_; }
  // A control of the window, found by its designer name.
  template <class Control = QWidget>
  Control* control(const char* name) const {
    return test::control<Control>(*window_, name);
  }

  // What frames changed is shown at the next refresh; the readers below
  // bring it forward, as the refresh timer would.
  void showPending() const { window_->ScreenTimer_Timer(); }

  // The list's values (column 1) or names (column 2), row by row.
  std::vector<std::string> listColumn(int column) const {
    showPending();
    std::vector<std::string> texts;
    const auto* list = control<QTreeWidget>("ListView1");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      texts.push_back(list->topLevelItem(i)->text(column).toStdString());
    }
    return texts;
  }
  std::string errorLog() const { return folder.read("errorlog.txt"); }
  std::string todayLog() const { return folder.read("logs/P_2010_05_23.txt"); }
  std::string title() const {
    showPending();
    return window_->windowTitle().toStdString();
  }
  std::string commsLine() const {
    showPending();
    return control<QLabel>("Label2")->text().toStdString();
  }
  std::string messageLine() const {
    showPending();
    return control<QLabel>("ErrorString")->text().toStdString();
  }
  // One of the session's timers fires, as its time comes.
  void fire(const char* timer) const {
    QMetaObject::invokeMethod(control<QTimer>(timer), "timeout");
  }
  // Whether the logging tick is armed.
  bool ticking() const { return control<QTimer>("Timer1")->isActive(); }

  TempFolder folder;
  FakeClock clock;
  FakeDialogs dialogs;
  FakeSerial serial;
  FakeSerial calibrationSerial;  // the calibration window's
  std::ostringstream standardError;
  ErrorReporter errorReporter{folder.path(), clock, ErrorReporter::Mode::Window, standardError};

 private:
  std::unique_ptr<OrvaneLogger> window_;
};

}  // namespace tamsel::test
