#include "setup/turbine_setup.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/turbine_settings.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr int kBoxWidthPixels = 260;

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
  auto* form = new QFormLayout;
  for (Row& row : rows) {
    row.box = named(new QLineEdit(this), row.name, row.caption);
    row.box->setPlaceholderText(row.placeholder);
    row.box->setMinimumWidth(kBoxWidthPixels);
    form->addRow(row.caption, row.box);
  }
  auto* note = new QLabel(QStringLiteral("An empty box takes the default shown in it."), this);
  auto* buttons =
      named(new QDialogButtonBox(this), "TurbineButtons", QStringLiteral("Save or cancel"));
  SaveTurbineButton =
      named(buttons->addButton(QStringLiteral("Save Turbine"), QDialogButtonBox::AcceptRole),
            "SaveTurbineButton", QStringLiteral("Save Turbine"));
  CancelButton = named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole),
                       "CancelButton", QStringLiteral("Cancel"));
  SaveTurbineButton->setDefault(true);
  connect(SaveTurbineButton, &QPushButton::clicked, this, [this] { SaveTurbineButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void TurbineSetup::Form_Load() {
  const Result<std::string> text = readWholeFile(turbineConfigPath(programFolder));
  const TurbineConfig config = readTurbineConfig(text.valueOr({}));
  for (const ConfigKey<TurbineConfig>& key : turbineConfigKeys()) {
    for (Row& row : rows) {
      if (key.name == row.name) row.box->setText(fromBytes(config.*key.value));
    }
  }
}

TurbineConfig TurbineSetup::configFromBoxes() const {
  TurbineConfig config;
  for (const ConfigKey<TurbineConfig>& key : turbineConfigKeys()) {
    for (const Row& row : rows) {
      if (key.name == row.name) config.*key.value = toBytes(row.box->text());
    }
  }
  return config;
}

// Saved, a value the analysis cannot use would only show up later as figures
// the performance window leaves out; refused here, the owner can put it
// right at once, and what was typed stays in the boxes.
void TurbineSetup::SaveTurbineButton_Click() {
  const TurbineConfig typed = configFromBoxes();
  for (const TurbineProblem& problem : turbineSettings(typed, systemVolts).problems) {
    // An empty box is no value of the owner's: FullVolts left empty beside an
    // SV that is no voltage is the setup window's matter, not this one's.
    for (const Row& row : rows) {
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
