#pragma once
// The calibration window: while it is open it owns the serial port, decodes
// each frame by its own lenient rules and shows, for each sensor, the raw
// count, the divisor typed and the value that divisor gives. "Save
// Calibration" writes settings.cfg whole; leaving any other way writes nothing.
//
// Its opener closes its own port, constructs the window, runs Form_Load (a
// failure is the opener's to report; the window is then not shown) and shows
// it with Dialogs::showModal. The window releases the port on every way out.
#include <QDialog>
#include <string>
#include <string_view>

#include "config/calibration.h"
#include "platform/qt/dialogs.h"
#include "platform/serial/serial_control.h"
#include "platform/status.h"
#include "setup/calibrate_form.h"
#include "setup/calibration_readout.h"

namespace tamsel {

inline const QString kCalibrationNotSavedMessage =
    QStringLiteral("settings.cfg could not be saved: ");

class Calibrate : public QDialog, private CalibrateForm {
  Q_OBJECT
 public:
  Calibrate(std::string programFolder, SerialControl& MSComm2, Dialogs& dialogs,
            QWidget* parent = nullptr);
  ~Calibrate() override;

  // Reads both files, fills the window and opens the port.
  Status Form_Load();
  void MSComm2_OnComm(std::string_view text);
  // "Zero": the current raw amps count becomes the offset.
  void Command2_Click();
  // "Save Calibration": writes settings.cfg, releases the port, closes.
  void Command1_Click();
  // "Exit ( dont save )".
  void Command6_Click();

 protected:
  void done(int result) override;

 private:
  void showReadout(const Readout& readout);
  Divisors divisorsTyped() const;
  // The notice line: hidden when there is nothing to say.
  void showNotice(const std::string& text);
  void portLost(const QString& description);
  void portRestored();

  const std::string programFolder;
  SerialControl& MSComm2;
  Dialogs& dialogs;

  std::string WSUnits;
  std::string VoltOffset;
  CalibrationReceiver receiver;
  double windSpeed = 0;
  std::string loadNotice;    // what load had to assume; shown again once the port is back
  bool portTrouble = false;  // the notice speaks of the port until frames resume
};

}  // namespace tamsel
