#include "setup/turbine_setup.h"

#include <QLineEdit>
#include <QPushButton>

#include "analysis/turbine_settings.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

// "14.4 (1.2 × SV)", or just what it is when SV is no voltage.
QString fullVoltsDefault(const std::string& systemVolts) {
  const QString rule = QStringLiteral("1.2 \u00d7 SV");
  const std::optional<double> sv = numericValue(systemVolts);
  if (!sv || *sv <= 0) return rule;
  return fromBytes(plainNumberText(1.2 * *sv)) + " (" + rule + ")";
}

}  // namespace

TurbineSetup::TurbineSetup(std::string programFolder, const std::string& systemVolts,
                           Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      programFolder(std::move(programFolder)),
      systemVolts(systemVolts),
      dialogs(dialogs) {
  setObjectName(QStringLiteral("TurbineSetup"));
  setWindowTitle(QStringLiteral("Tamsel Turbine"));
  buildForm();
  Form_Load();
}

void TurbineSetup::buildForm() {
  rows = {
      {"RotorDiameter", QStringLiteral("Rotor diameter (m)"), QStringLiteral("none")},
      {"RatedPower", QStringLiteral("Rated power (W)"), QStringLiteral("none")},
      {"CutOut", QStringLiteral("Cut-out wind (m/s)"), QStringLiteral("25")},
      {"GearRatio", QStringLiteral("Generator RPM per rotor RPM"), QStringLiteral("1")},
      {"Curve", QStringLiteral("Maker's curve (m/s:watts)"), QStringLiteral("3:20 4:60 5:120")},
      {"Altitude", QStringLiteral("Site altitude (m)"), QStringLiteral("0")},
      {"Temperature", QStringLiteral("Mean temperature (\u00b0C)"), QStringLiteral("15")},
      {"FullVolts", QStringLiteral("Battery full at (V)"), fullVoltsDefault(systemVolts)},
      {"MinBinMinutes", QStringLiteral("Minutes a bin needs"), QStringLiteral("30")},
  };
  const ConfigBoxButtons buttons =
      buildConfigBoxes(*this, rows, QStringLiteral("An empty box takes the default shown in it."),
                       "TurbineButtons", "SaveTurbineButton", QStringLiteral("Save Turbine"));
  SaveTurbineButton = buttons.save;
  CancelButton = buttons.cancel;
  connect(SaveTurbineButton, &QPushButton::clicked, this, [this] { SaveTurbineButton_Click(); });
}

void TurbineSetup::Form_Load() {
  const Result<std::string> text = readWholeFile(turbineConfigPath(programFolder));
  showInBoxes(rows, turbineConfigKeys(), readTurbineConfig(text.valueOr({})));
}

TurbineConfig TurbineSetup::configFromBoxes() const {
  return readBoxes(rows, turbineConfigKeys());
}

// Saved, a value the analysis cannot use would only show up later as figures
// the performance window leaves out; refused here, the owner can put it
// right at once, and what was typed stays in the boxes.
void TurbineSetup::SaveTurbineButton_Click() {
  const TurbineConfig typed = configFromBoxes();
  for (const TurbineProblem& problem : turbineSettings(typed, systemVolts).problems) {
    // An empty box is no value of the owner's: FullVolts left empty beside an
    // SV that is no voltage is the setup window's matter, not this one's.
    for (const ConfigBox& row : rows) {
      if (problem.key == row.name && !row.box->text().trimmed().isEmpty()) {
        dialogs.message(this, fromBytes(problem.text));
        row.box->setFocus();
        return;
      }
    }
  }
  if (Status saved = replaceFile(turbineConfigPath(programFolder), turbineConfigText(typed));
      !saved) {
    dialogs.message(this, kTurbineNotSavedMessage + QString::fromLocal8Bit(saved.error));
    return;
  }
  accept();
}

}  // namespace tamsel
