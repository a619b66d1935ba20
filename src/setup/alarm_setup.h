#pragma once
// The alarm window, opened by the setup window's "Alarms" button: edits
// alarm.cfg, and saves it only when every box holds a value the logger can
// use, naming the first box that does not. An empty box is no alarm (or the
// default, for the hold time and hysteresis).
#include <QDialog>
#include <string>
#include <vector>

#include "config/alarm_config.h"
#include "platform/qt/dialogs.h"
#include "setup/config_boxes.h"

class QPushButton;

namespace tamsel {

inline const QString kAlarmsNotSavedMessage = QStringLiteral("alarm.cfg could not be saved: ");

class AlarmSetup : public QDialog {
  Q_OBJECT
 public:
  // `windUnits` names the wind box's unit (the setup window's WSUnits).
  AlarmSetup(std::string programFolder, const std::string& windUnits, Dialogs& dialogs,
             QWidget* parent = nullptr);

  // Fills the boxes from alarm.cfg; a missing file leaves them empty.
  void Form_Load();
  // "Save Alarms": checks every box, writes alarm.cfg, closes.
  void SaveAlarmsButton_Click();

 private:
  void buildForm(const std::string& windUnits);
  AlarmConfig configFromBoxes() const;
  // The message naming the first box that cannot be saved; empty when none.
  QString refusal(const AlarmConfig& typed) const;

  std::string programFolder;
  Dialogs& dialogs;
  std::vector<ConfigBox> rows;  // each box named by its alarm.cfg key
  QPushButton* SaveAlarmsButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace tamsel
