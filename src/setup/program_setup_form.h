#pragma once
// The setup window's controls under their designer names, and where the form
// places them: a column of labelled entries on the left, the option frames
// on the right, the two buttons along the bottom with the program folder
// between them.
#include <vector>

class QCheckBox;
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

  // The option frames (Frame2, Frame1, Frame3, Frame4, Frame5) and their
  // buttons (Option1 to Option20) are reached through groupOptions below.

  // The serial devices found and their port numbers, shown beside "Com port".
  QLabel* PortHint = nullptr;
  QPushButton* LinkButton = nullptr;
  QPushButton* AlarmsButton = nullptr;
  QPushButton* TurbineButton = nullptr;
  // "Files in: <program folder>", along the bottom.
  QLabel* ProgramFolderLabel = nullptr;

  QPushButton* AbortButton = nullptr;
  QPushButton* SaveSettingsButton = nullptr;

  // The option buttons of each group, in the order of optionGroups().
  std::vector<std::vector<QRadioButton*>> groupOptions;

 private:
  void buildLabels(QWidget* window);
  void buildEntries(QWidget* window);
  void buildFrame(QWidget* window, const char* name, const OptionGroup& group, int index);
  void buildButtons(QWidget* window);
};

}  // namespace tamsel
