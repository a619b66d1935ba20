#include "setup/calibrate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/program_config.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/serial_settings.h"
#include "platform/text_file.h"
#include "setup/calibration_check.h"

namespace tamsel {
namespace {

// What the window works with when a file is missing or lacks keys, and the
// notice that says so.
struct LoadedFiles {
  ProgramConfig program;
  Calibration calibration;
  std::string notice;
};

LoadedFiles readFiles(const std::string& folder) {
  LoadedFiles loaded;
  const Result<std::string> program = readWholeFile(programConfigPath(folder));
  loaded.program = readProgramConfig(program.valueOr({}), setupDefaults());
  const Result<std::string> settings = readWholeFile(calibrationPath(folder));
  Calibration stored;
  const KeysRead read = readCalibrationStrict(settings.valueOr({}), stored);
  loaded.calibration = readCalibration(settings.valueOr({}), neutralCalibration());
  // A divider that is no number cannot be shown as one: start that step from 1.
  if (!isNumeric(loaded.calibration.AmpDivider)) loaded.calibration.AmpDivider = "1";
  if (!program || !read.status || !isNumeric(stored.AmpDivider)) {
    loaded.notice =
        "settings.cfg or prog.cfg missing or incomplete: missing values start at "
        "their defaults";
  }
  return loaded;
}

}  // namespace

Calibrate::Calibrate(std::string programFolder, SerialControl& MSComm2, Dialogs& dialogs,
                     QWidget* parent)
    : QDialog(parent), programFolder(std::move(programFolder)), MSComm2(MSComm2), dialogs(dialogs) {
  buildForm(this);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(&MSComm2, &SerialControl::received, this, [this](const QByteArray& text) {
    MSComm2_OnComm(std::string_view(text.constData(), static_cast<size_t>(text.size())));
  });
  // The control closes a lost port and reopens it by itself; the user,
  // watching for numbers that no longer change, is told why here.
  connect(&MSComm2, &SerialControl::lost, this, &Calibrate::portLost);
  connect(&MSComm2, &SerialControl::restored, this, &Calibrate::portRestored);
}

Calibrate::~Calibrate() {
  MSComm2.close();
}

Status Calibrate::Form_Load() {
  const LoadedFiles loaded = readFiles(programFolder);
  WSUnits = loaded.program.WSUnits;
  Label23->setText(fromBytes("How many pulses per " + WSUnits + "?"));
  const Result<int> port = portNumberFromText(loaded.program.Port);
  if (!port) return port.status();
  if (Status opened = MSComm2.open(*port, loaded.program.BR + ",N,8,1"); !opened) return opened;
  const Calibration& c = loaded.calibration;
  BatteryVolts->setText(fromBytes(c.VoltDivider));
  BatteryCurrent->setText(fromBytes(plainNumberText(*numericValue(c.AmpDivider))));
  VoltOffset = c.VoltOffset;
  OffsetV->setText(fromBytes(VoltOffset));
  PulseDivider->setText(fromBytes(c.RPMDivider));
  Pulse2Divider->setText(fromBytes(c.WSDivider));
  loadNotice = loaded.notice;
  showNotice(loadNotice);
  return {};
}

void Calibrate::showNotice(const std::string& text) {
  Notice->setText(fromBytes(text));
  Notice->setVisible(!text.empty());
}

void Calibrate::portLost(const QString& description) {
  receiver.dropPending();
  portTrouble = true;
  showNotice("port not available: " + toBytes(description));
}

void Calibrate::portRestored() {
  receiver.dropPending();
  showNotice("port open again, waiting for frames");
}

void Calibrate::MSComm2_OnComm(std::string_view text) {
  const std::optional<std::string> frame = receiver.append(text);
  if (!frame) return;
  if (portTrouble) {
    portTrouble = false;
    showNotice(loadNotice);
  }
  showReadout(calibrationReadout(rawFields(*frame), divisorsTyped(), windSpeed));
}

Divisors Calibrate::divisorsTyped() const {
  return {toBytes(BatteryVolts->text()),
          toBytes(BatteryCurrent->text()),
          toBytes(PulseDivider->text()),
          toBytes(Pulse2Divider->text()),
          VoltOffset,
          WSUnits};
}

void Calibrate::showReadout(const Readout& r) {
  txtBattV->setText(fromBytes(r.txtBattV));
  txtShuntV->setText(fromBytes(r.txtShuntV));
  txtPulsess->setText(fromBytes(r.txtPulsess));
  txtPulsess2->setText(fromBytes(r.txtPulsess2));
  txtWindSpeed->setText(fromBytes(r.txtWindSpeed));
  if (r.txtWindmillRPM) txtWindmillRPM->setText(fromBytes(*r.txtWindmillRPM));
  if (r.txtBattVadjusted) txtBattVadjusted->setText(fromBytes(*r.txtBattVadjusted));
  if (r.txtBattAadjusted) txtBattAadjusted->setText(fromBytes(*r.txtBattAadjusted));
}

void Calibrate::Command2_Click() {
  VoltOffset = toBytes(txtShuntV->text());
  OffsetV->setText(fromBytes(VoltOffset));
}

void Calibrate::Command1_Click() {
  const Calibration typed{toBytes(BatteryVolts->text()), VoltOffset,
                          toBytes(BatteryCurrent->text()), toBytes(PulseDivider->text()),
                          toBytes(Pulse2Divider->text())};
  // Saved, a value the main window cannot compute with would fail every frame.
  if (const std::optional<std::string> refusal = calibrationRefusal(typed)) {
    dialogs.message(this, fromBytes(*refusal));
    return;
  }
  // Typed values are never lost silently: on a failure the window stays open
  // with them, and the old file stays whole.
  if (Status saved = replaceFile(calibrationPath(programFolder), calibrationText(typed)); !saved) {
    dialogs.message(this, kCalibrationNotSavedMessage + QString::fromLocal8Bit(saved.error));
    return;
  }
  accept();
}

void Calibrate::Command6_Click() {
  reject();
}

// Every way out (save, exit, the window frame) releases the port.
void Calibrate::done(int result) {
  MSComm2.close();
  QDialog::done(result);
}

}  // namespace tamsel
