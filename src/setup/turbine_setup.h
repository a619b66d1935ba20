#pragma once
// The turbine window, opened by the setup window's "Turbine" button: edits
// turbine.cfg, the turbine's and the battery's facts the performance window
// measures against. It saves only values the analysis can use, naming the
// key of the first that it cannot; an empty box is that key's default.
#include <QDialog>
#include <string>
#include <vector>

#include "config/turbine_config.h"
#include "platform/qt/dialogs.h"
#include "setup/config_boxes.h"

class QPushButton;

namespace tamsel {

inline const QString kTurbineNotSavedMessage = QStringLiteral("turbine.cfg could not be saved: ");

class TurbineSetup : public QDialog {
  Q_OBJECT
 public:
  // `systemVolts` is the setup window's SV, of which the battery counts as
  // full at 1.2 times unless FullVolts says otherwise.
  TurbineSetup(std::string programFolder, const std::string& systemVolts, Dialogs& dialogs,
               QWidget* parent = nullptr);

  // Fills the boxes from turbine.cfg; a missing file leaves them empty.
  void Form_Load();
  // "Save Turbine": checks every box, writes turbine.cfg, closes.
  void SaveTurbineButton_Click();

 private:
  void buildForm();
  TurbineConfig configFromBoxes() const;

  std::string programFolder;
  std::string systemVolts;
  Dialogs& dialogs;
  // Each box named by its turbine.cfg key, showing the default it stands for when empty.
  std::vector<ConfigBox> rows;
  QPushButton* SaveTurbineButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace tamsel
