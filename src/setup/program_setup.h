#pragma once
// The setup window: edits every value of prog.cfg and writes the file whole
// when the user saves. It never touches the serial port; its opener closes
// the port before showing it and reloads the configuration afterwards.
//
// The constructor runs Form_Load, so a window is ready to show as soon as it
// exists: the opener constructs it and shows it with Dialogs::showModal.
// Loading never fails and never blocks: a missing prog.cfg or key leaves the
// window's defaults in place. Saving accepts the dialog (closes it); closing
// by the frame rejects it and writes nothing.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/dialogs.h"
#include "setup/program_setup_form.h"

namespace tamsel {

struct ProgramConfig;

inline const QString kBadPortNumberMessage = QStringLiteral(
    "There is a bad number for Port Number. Must be between 1 and 8 ( 1 or 2 most common )");
inline const QString kConfigNotSavedMessage = QStringLiteral("prog.cfg could not be saved: ");

// The serial devices this machine has ("/dev/ttyUSB0"), as Qt lists them.
std::vector<std::string> systemSerialDevices();

// Where the setup window looks for serial devices and their stable names;
// tests hand in a pseudo-terminal and a folder of their own.
struct SerialDeviceSource {
  std::function<std::vector<std::string>()> list = systemSerialDevices;
  std::string byIdFolder = "/dev/serial/by-id";
};

class ProgramSetup : public QDialog, private ProgramSetupForm {
  Q_OBJECT
 public:
  ProgramSetup(std::string programFolder, Dialogs& dialogs, QWidget* parent = nullptr,
               SerialDeviceSource serialDevices = {});

  // Fills the controls from prog.cfg (rerunning it reads the file again).
  void Form_Load();
  // "Save Settings": checks the port number, writes prog.cfg, closes.
  void SaveSettingsButton_Click();
  // "Abort": port number 0, then exactly what "Save Settings" does.
  void AbortButton_Click();
  // "Link": makes a comN in the program folder for the first device no port
  // number reaches, puts N in the Port box and lists the devices again.
  void LinkButton_Click();
  // "Alarms": the alarm window, over alarm.cfg.
  void AlarmsButton_Click();
  // "Turbine": the turbine window, over turbine.cfg.
  void TurbineButton_Click();

 private:
  void showSerialDevices();
  void showProgramFolder();
  void showConfig(const ProgramConfig& config);
  ProgramConfig configFromControls() const;

  std::string programFolder;
  Dialogs& dialogs;
  SerialDeviceSource serialDevices;
};

}  // namespace tamsel
