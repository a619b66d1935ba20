#pragma once
// The calibration window's controls under their designer names, and where
// the form places them: four steps from top to bottom, each with its heading
// and instructions on the left and, on the right, the raw count, a division
// sign and the divisor box, with "=" and the scaled result under them.
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tamsel {

class CalibrateForm {
 protected:
  void buildForm(QWidget* window);

  QLabel* Notice = nullptr;  // what load had to assume, or a lost port; hidden when nothing
  QLabel* Label8 = nullptr;
  QLabel* txtBattV = nullptr;
  QLineEdit* BatteryVolts = nullptr;
  QLabel* txtBattVadjusted = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* txtShuntV = nullptr;
  QLineEdit* BatteryCurrent = nullptr;
  QLabel* txtBattAadjusted = nullptr;
  QPushButton* Command2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* OffsetV = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* txtPulsess = nullptr;
  QLineEdit* PulseDivider = nullptr;
  QLabel* txtWindmillRPM = nullptr;
  QLabel* Label21 = nullptr;
  QLabel* Label23 = nullptr;
  QLabel* txtPulsess2 = nullptr;
  QLineEdit* Pulse2Divider = nullptr;
  QLabel* txtWindSpeed = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command6 = nullptr;
};

}  // namespace tamsel
