#include "setup/alarm_setup.h"

#include <QLineEdit>
#include <QPushButton>

#include "alarms/alarm_command.h"
#include "alarms/alarm_settings.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"

namespace tamsel {

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
  const ConfigBoxButtons buttons =
      buildConfigBoxes(*this, rows, QStringLiteral("An empty box is no alarm."), "AlarmButtons",
                       "SaveAlarmsButton", QStringLiteral("Save Alarms"));
  SaveAlarmsButton = buttons.save;
  CancelButton = buttons.cancel;
  connect(SaveAlarmsButton, &QPushButton::clicked, this, [this] { SaveAlarmsButton_Click(); });
}

void AlarmSetup::Form_Load() {
  const Result<std::string> text = readWholeFile(alarmConfigPath(programFolder));
  showInBoxes(rows, alarmConfigKeys(), readAlarmConfig(text.valueOr({})));
}

AlarmConfig AlarmSetup::configFromBoxes() const {
  return readBoxes(rows, alarmConfigKeys());
}

QString AlarmSetup::refusal(const AlarmConfig& typed) const {
  const AlarmSettingsRead read = alarmSettings(typed);
  if (!read.problems.empty()) {
    const AlarmProblem& problem = read.problems.front();
    for (const ConfigBox& row : rows) {
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
