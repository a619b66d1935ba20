#include "main_window_fixture.h"

namespace tamsel::test {

ProgCfg::ProgCfg() {
  Port = "3";
  Savehtml = "0";
  SaveExcel = "0";
  LogDelay = "60";
  LogOn = "0";
  DisplayRPM = "0";
  DisplayWS = "0";
  WSUnits = "mph";
  SV = "12";
  MA = "20";
  BR = "9600";
  dispMessages = "1";
  MR = "400";
  MP = "1000";
}

OrvaneLogger& MainWindowTest::start(const ProgCfg& cfg, const char* settings) {
  return startWith(cfg.text(), settings);
}

OrvaneLogger& MainWindowTest::startWith(const std::string& progCfgText, const char* settings) {
  folder.write("prog.cfg", progCfgText);
  return startWithoutProgCfg(settings);
}

OrvaneLogger& MainWindowTest::startWithoutProgCfg(const char* settings) {
  if (settings) folder.write("settings.cfg", settings);
  // A test may start several windows in turn; each finds the port free.
  window_.reset();
  serial.close();
  window_ = std::make_unique<OrvaneLogger>(
      OrvaneLogger::Services{folder.path(), clock, dialogs, serial, calibrationSerial});
  window_->Form_Load();
  return *window_;
}

std::vector<std::string> MainWindowTest::listValues() const {
  std::vector<std::string> values;
  for (int i = 0; i < control<QTreeWidget>("ListView1")->topLevelItemCount(); ++i) {
    values.push_back(control<QTreeWidget>("ListView1")->topLevelItem(i)->text(1).toStdString());
  }
  return values;
}

std::vector<std::string> MainWindowTest::listNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < control<QTreeWidget>("ListView1")->topLevelItemCount(); ++i) {
    names.push_back(control<QTreeWidget>("ListView1")->topLevelItem(i)->text(2).toStdString());
  }
  return names;
}

}  // namespace tamsel::test
