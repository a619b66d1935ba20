#include "main_window_fixture.h"

namespace tamsel::test {

ProgCfg::ProgCfg() : ProgramConfig(setupDefaults()) {
  Port = "3";
  DisplayRPM = "0";
  SV = "12";
  BR = "9600";
}

OrvaneLogger& MainWindowTest::start(const ProgCfg& cfg, const char* settings) {
  folder.write("prog.cfg", cfg.text());
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

std::vector<std::string> MainWindowTest::listColumn(int column) const {
  std::vector<std::string> texts;
  const auto* list = control<QTreeWidget>("ListView1");
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    texts.push_back(list->topLevelItem(i)->text(column).toStdString());
  }
  return texts;
}

}  // namespace tamsel::test
