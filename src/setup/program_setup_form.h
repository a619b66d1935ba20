#pragma once
// The setup window's controls under their designer names, and where the form
// places them: a column of labelled entries on the left, the option frames
// on the right, the two buttons along the bottom with the program folder
// between them.
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tamsel {

struct OptionGroup;

class ProgramSetupForm {
 protected:
  void buildForm(QWidget* window);

  // Controls, under their designer names; tests find them by those names.
  QLineEdit* PortNumber = nullptr;
  QLineEdit* LogDelay = nullptr;
  QLineEdit* WSUnits = nullptr;

  QCheckBox* Savehtml = nullptr;
  QCheckBox* SaveExcel = nullptr;
  QCheckBox* LogOn = nullptr;
  QCheckBox* DisplayRPM = nullptr;
  QCheckBox* DisplayWS = nullptr;
  QCheckBox* DisplayMessages = nullptr;

  QGroupBox* Frame2 = nullptr;  // "System Voltage"
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QGroupBox* Frame1 = nullptr;  // "Max System Amps"
  QRadioButton* Option4 = nullptr;
  QRadioButton* Option5 = nullptr;
  QRadioButton* Option6 = nullptr;
  QGroupBox* Frame3 = nullptr;  // "Baud rate"
  QRadioButton* Option7 = nullptr;
  QRadioButton* Option8 = nullptr;
  QRadioButton* Option9 = nullptr;
  QRadioButton* Option10 = nullptr;
  QGroupBox* Frame4 = nullptr;  // "Max RPM"
  QRadioButton* Option11 = nullptr;
  QRadioButton* Option12 = nullptr;
  QRadioButton* Option13 = nullptr;
  QRadioButton* Option14 = nullptr;
  QRadioButton* Option15 = nullptr;
  QGroupBox* Frame5 = nullptr;  // "Max Output Power"
  QRadioButton* Option16 = nullptr;
  QRadioButton* Option17 = nullptr;
  QRadioButton* Option18 = nullptr;
  QRadioButton* Option19 = nullptr;
  QRadioButton* Option20 = nullptr;

  // The serial devices found and their port numbers, shown beside "Com port".
  QLabel* PortHint = nullptr;
  QPushButton* LinkButton = nullptr;
  QPushButton* AlarmsButton = nullptr;
  // "Files in: <program folder>", along the bottom.
  QLabel* ProgramFolderLabel = nullptr;

  QPushButton* AbortButton = nullptr;
  QPushButton* SaveSettingsButton = nullptr;

  // The option buttons of each group, in the order of optionGroups().
  std::vector<std::vector<QRadioButton*>> groupOptions;

 private:
  void buildLabels(QWidget* window);
  void buildEntries(QWidget* window);
  QGroupBox* buildFrame(QWidget* window, const char* name, const OptionGroup& group,
                        std::vector<QRadioButton**> options, int index);
  void buildButtons(QWidget* window);
};

}  // namespace tamsel
