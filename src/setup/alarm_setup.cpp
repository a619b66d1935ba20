#include "setup/alarm_setup.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "alarms/alarm_command.h"
#include "alarms/alarm_settings.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr int kBoxWidthPixels = 220;

}  // namespace

AlarmSetup::AlarmSetup(std::string programFolder, const std::string& windUnits, Dialogs& dialogs,
                       QWidget* parent)
    : QDialog(parent), programFolder(std::move(programFolder)), dialogs(dialogs) {
  setObjectName(QStringLiteral("AlarmSetup"));
  setWindowTitle(QStringLiteral("Tamsel Alarms"));
  buildForm(windUnits);
  Form_Load();
}

void AlarmSetup::buildForm(const std::string& windUnits) {
  const QString wind = windUnits.empty() ? QString() : " (" + fromBytes(windUnits) + ")";
  rows = {
      {"LowVolts", QStringLiteral("Battery low, below (V)"), {}},
      {"HighVolts", QStringLiteral("Battery high, above (V)"), {}},
      {"HighAmps", QStringLiteral("Current above (A)"), {}},
      {"HighRPM", QStringLiteral("Over speed, above (RPM)"), {}},
      {"HighWind", "Wind above" + wind, {}},
      {"NoDataMinutes", QStringLiteral("No data for (minutes)"), {}},
      {"HoldSeconds", QStringLiteral("Held for (seconds)"), QStringLiteral("30")},
      {"Hysteresis", QStringLiteral("Hysteresis (% of the limit)"), QStringLiteral("2")},
      {"Command", QStringLiteral("Command"), QStringLiteral("a program run with the alarm's text")},
  };
  auto* form = new QFormLayout;
  for (Row& row : rows) {
    row.box = named(new QLineEdit(this), row.name, row.caption);
    row.box->setPlaceholderText(row.placeholder);
    row.box->setMinimumWidth(kBoxWidthPixels);
    form->addRow(row.caption, row.box);
  }
  auto* note = new QLabel(QStringLiteral("An empty box is no alarm."), this);
  auto* buttons =
      named(new QDialogButtonBox(this), "AlarmButtons", QStringLiteral("Save or cancel"));
  SaveAlarmsButton =
      named(buttons->addButton(QStringLiteral("Save Alarms"), QDialogButtonBox::AcceptRole),
            "SaveAlarmsButton", QStringLiteral("Save Alarms"));
  CancelButton = named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole),
                       "CancelButton", QStringLiteral("Cancel"));
  SaveAlarmsButton->setDefault(true);
  connect(SaveAlarmsButton, &QPushButton::clicked, this, [this] { SaveAlarmsButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void AlarmSetup::Form_Load() {
  const Result<std::string> text = readWholeFile(alarmConfigPath(programFolder));
  const AlarmConfig config = readAlarmConfig(text.valueOr({}));
  for (const ConfigKey<AlarmConfig>& key : alarmConfigKeys()) {
    for (Row& row : rows) {
      if (key.name == row.name) row.box->setText(fromBytes(config.*key.value));
    }
  }
}

AlarmConfig AlarmSetup::configFromBoxes() const {
  AlarmConfig config;
  for (const ConfigKey<AlarmConfig>& key : alarmConfigKeys()) {
    for (const Row& row : rows) {
      if (key.name == row.name) config.*key.value = toBytes(row.box->text());
    }
  }
  return config;
}

QString AlarmSetup::refusal(const AlarmConfig& typed) const {
  const AlarmSettingsRead read = alarmSettings(typed);
  if (!read.problems.empty()) {
    const AlarmProblem& problem = read.problems.front();
    for (const Row& row : rows) {
      if (problem.key == row.name) return row.caption + " " + fromBytes(problem.rule) + ".";
    }
  }
  const std::string& command = read.settings.command;
  if (!command.empty() && !isRunnableProgram(commandProgram(command, programFolder))) {
    return QStringLiteral(
        "Command must name a program that can be run: a path, or a name in the program folder "
        "(empty for none).");
  }
  return {};
}

// Saved, a value the logger cannot use would leave that alarm off without
// the owner knowing until the log says so; the window refuses it while the
// owner is there, and keeps what was typed.
void AlarmSetup::SaveAlarmsButton_Click() {
  const AlarmConfig typed = configFromBoxes();
  if (const QString refused = refusal(typed); !refused.isEmpty()) {
    dialogs.message(this, refused);
    return;
  }
  if (Status saved = replaceFile(alarmConfigPath(programFolder), alarmConfigText(typed)); !saved) {
    dialogs.message(this, kAlarmsNotSavedMessage + QString::fromLocal8Bit(saved.error));
    return;
  }
  accept();
}

}  // namespace tamsel
