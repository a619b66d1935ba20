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

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tamsel {

struct OptionGroup;
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

class ProgramSetup : public QDialog {
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

 private:
  // Controls, under their designer names; tests find them by those names.
  QLineEdit* PortNumber;
  QLineEdit* LogDelay;
  QLineEdit* WSUnits;

  QCheckBox* Savehtml;
  QCheckBox* SaveExcel;
  QCheckBox* LogOn;
  QCheckBox* DisplayRPM;
  QCheckBox* DisplayWS;
  QCheckBox* DisplayMessages;

  QGroupBox* Frame2;  // "System Voltage"
  QRadioButton* Option1;
  QRadioButton* Option2;
  QRadioButton* Option3;
  QGroupBox* Frame1;  // "Max System Amps"
  QRadioButton* Option4;
  QRadioButton* Option5;
  QRadioButton* Option6;
  QGroupBox* Frame3;  // "Baud rate"
  QRadioButton* Option7;
  QRadioButton* Option8;
  QRadioButton* Option9;
  QRadioButton* Option10;
  QGroupBox* Frame4;  // "Max RPM"
  QRadioButton* Option11;
  QRadioButton* Option12;
  QRadioButton* Option13;
  QRadioButton* Option14;
  QRadioButton* Option15;
  QGroupBox* Frame5;  // "Max Output Power"
  QRadioButton* Option16;
  QRadioButton* Option17;
  QRadioButton* Option18;
  QRadioButton* Option19;
  QRadioButton* Option20;

  // The serial devices found and their port numbers, shown beside "Com port".
  QLabel* PortHint;
  QPushButton* LinkButton;
  QPushButton* AlarmsButton;
  // "Files in: <program folder>", along the bottom.
  QLabel* ProgramFolderLabel;

  QPushButton* AbortButton;
  QPushButton* SaveSettingsButton;

  void buildLabels();
  void buildEntries();
  QGroupBox* buildFrame(const char* name, const OptionGroup& group,
                        std::vector<QRadioButton**> options, int index);
  void buildButtons();
  void showSerialDevices();
  void showProgramFolder();
  void showConfig(const ProgramConfig& config);
  ProgramConfig configFromControls() const;

  std::string programFolder;
  Dialogs& dialogs;
  SerialDeviceSource serialDevices;
  // The option buttons of each group, in the order of optionGroups().
  std::vector<std::vector<QRadioButton*>> groupOptions;
};

}  // namespace tamsel
