#include "main_window_fixture.h"

namespace tamsel::test {

std::string ProgCfg::text() const {
  auto line = [](const char* key, const std::string& value) {
    return std::string("<") + key + ">" + value + "</" + key + ">\r\n";
  };
  return "Program Config File\r\n\r\n" + line("Port", Port) + line("Savehtml", Savehtml) +
         line("SaveExcel", SaveExcel) + line("LogDelay", LogDelay) + line("LogOn", LogOn) +
         line("DisplayRPM", DisplayRPM) + line("DisplayWS", DisplayWS) +
         line("WSUnits", WSUnits) + line("SV", SV) + line("MA", MA) + line("BR", BR) +
         line("dispMessages", dispMessages) + line("MR", MR) + line("MP", MP) + "\r\n";
}

OrvaneLogger& MainWindowTest::start(const ProgCfg& cfg, const char* settings) {
  writeConfig(cfg);
  if (settings) folder.write("settings.cfg", settings);
  // A test may start several windows in turn; each finds the port free.
  window_.reset();
  serial.close();
  window_ = std::make_unique<OrvaneLogger>(
      OrvaneLogger::Services{folder.path(), clock, dialogs, serial});
  window_->Form_Load();
  return *window_;
}

std::vector<std::string> MainWindowTest::listValues() const {
  std::vector<std::string> values;
  for (int i = 0; i < window_->ListView1->topLevelItemCount(); ++i) {
    values.push_back(window_->ListView1->topLevelItem(i)->text(1).toStdString());
  }
  return values;
}

std::vector<std::string> MainWindowTest::listNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < window_->ListView1->topLevelItemCount(); ++i) {
    names.push_back(window_->ListView1->topLevelItem(i)->text(2).toStdString());
  }
  return names;
}

}  // namespace tamsel::test
