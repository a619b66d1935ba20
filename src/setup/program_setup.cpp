#include "setup/program_setup.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>

#include "config/program_config.h"
#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"
#include "setup/alarm_setup.h"
#include "setup/option_groups.h"
#include "setup/serial_links.h"
#include "setup/turbine_setup.h"

namespace tamsel {
namespace {

// Paths are the file system's bytes (UTF-8), not the one-byte text of the
// program's files.
QString fromPath(const std::string& path) {
  return QString::fromStdString(path);
}

// "3 -> /dev/ttyUSB0" (a real arrow), or the device alone when no port number reaches it.
QString hintEntry(const DevicePort& port) {
  if (!port.port) return QStringLiteral("%1 (no port number)").arg(fromPath(port.device));
  return QStringLiteral("%1 %2 %3").arg(*port.port).arg(QChar(0x2192)).arg(fromPath(port.device));
}

// The first `shown` entries, and an ellipsis for the rest.
QString hintText(const std::vector<DevicePort>& ports, size_t shown) {
  QStringList entries;
  for (size_t i = 0; i < ports.size() && i < shown; ++i) entries << hintEntry(ports[i]);
  if (ports.size() > shown) entries << QString(QChar(0x2026));
  return entries.join(QStringLiteral(", "));
}

}  // namespace

std::vector<std::string> systemSerialDevices() {
  std::vector<std::string> locations;
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
    locations.push_back(port.systemLocation().toStdString());
  return locations;
}

ProgramSetup::ProgramSetup(std::string programFolder, Dialogs& dialogs, QWidget* parent,
                           SerialDeviceSource serialDevices)
    : QDialog(parent),
      programFolder(std::move(programFolder)),
      dialogs(dialogs),
      serialDevices(std::move(serialDevices)) {
  setObjectName(QStringLiteral("ProgramSetup"));
  setWindowTitle(QStringLiteral("Tamsel Setup"));
  setFont(QFont(QStringLiteral("Arial"), 9));
  buildForm(this);
  connect(LinkButton, &QPushButton::clicked, this, [this] { LinkButton_Click(); });
  connect(AlarmsButton, &QPushButton::clicked, this, [this] { AlarmsButton_Click(); });
  connect(TurbineButton, &QPushButton::clicked, this, [this] { TurbineButton_Click(); });
  connect(AbortButton, &QPushButton::clicked, this, [this] { AbortButton_Click(); });
  connect(SaveSettingsButton, &QPushButton::clicked, this, [this] { SaveSettingsButton_Click(); });
  showSerialDevices();
  showProgramFolder();
  Form_Load();
}

void ProgramSetup::showSerialDevices() {
  const std::vector<std::string> found = serialDevices.list();
  const std::vector<DevicePort> ports = devicePorts(programFolder, found);
  if (ports.empty()) {
    PortHint->setText(QStringLiteral("No serial device found"));
    PortHint->setToolTip({});
  } else {
    // As many entries as the note holds; the tooltip has them all.
    size_t shown = ports.size();
    PortHint->setText(hintText(ports, shown));
    while (shown > 1 && PortHint->heightForWidth(PortHint->width()) > PortHint->height())
      PortHint->setText(hintText(ports, --shown));
    QStringList entries;
    for (const DevicePort& port : ports) entries << hintEntry(port);
    PortHint->setToolTip(entries.join(QLatin1Char('\n')));
  }
  const std::optional<std::string> unreached = firstUnreached(ports);
  const std::optional<int> port = unreached ? nextFreePort(programFolder, found) : std::nullopt;
  LinkButton->setEnabled(port.has_value());
  if (port) {
    LinkButton->setToolTip(
        QStringLiteral("Make com%1 in the program folder lead to %2, so port number %1 opens it")
            .arg(*port)
            .arg(fromPath(*unreached)));
  } else if (unreached) {
    LinkButton->setToolTip(QStringLiteral("Every port number already has a com link"));
  } else {
    LinkButton->setToolTip(QStringLiteral("Every serial device found has a port number"));
  }
}

void ProgramSetup::showProgramFolder() {
  const QString prefix = QStringLiteral("Files in: ");
  const QFontMetrics metrics = ProgramFolderLabel->fontMetrics();
  const int room = ProgramFolderLabel->width() - metrics.horizontalAdvance(prefix);
  ProgramFolderLabel->setText(prefix +
                              metrics.elidedText(fromPath(programFolder), Qt::ElideMiddle, room));
  ProgramFolderLabel->setToolTip(fromPath(programFolder));
}

void ProgramSetup::Form_Load() {
  const Result<std::string> text = readWholeFile(programConfigPath(programFolder));
  showConfig(readProgramConfig(text.valueOr({}), setupDefaults()));
}

void ProgramSetup::showConfig(const ProgramConfig& config) {
  PortNumber->setText(fromBytes(config.Port));
  Savehtml->setChecked(isTicked(config.Savehtml));
  SaveExcel->setChecked(isTicked(config.SaveExcel));
  LogDelay->setText(fromBytes(config.LogDelay));
  LogOn->setChecked(isTicked(config.LogOn));
  DisplayRPM->setChecked(isTicked(config.DisplayRPM));
  DisplayWS->setChecked(isTicked(config.DisplayWS));
  WSUnits->setText(fromBytes(config.WSUnits));
  DisplayMessages->setChecked(isTicked(config.dispMessages));
  const std::vector<OptionGroup>& groups = optionGroups();
  for (size_t g = 0; g < groups.size(); ++g) {
    if (auto option = matchingOption(config.*groups[g].value, groups[g].values))
      groupOptions[g][*option]->setChecked(true);
  }
}

ProgramConfig ProgramSetup::configFromControls() const {
  ProgramConfig config;
  config.Port = toBytes(PortNumber->text());
  config.Savehtml = checkText(Savehtml->isChecked());
  config.SaveExcel = checkText(SaveExcel->isChecked());
  config.LogDelay = toBytes(LogDelay->text());
  config.LogOn = checkText(LogOn->isChecked());
  config.DisplayRPM = checkText(DisplayRPM->isChecked());
  config.DisplayWS = checkText(DisplayWS->isChecked());
  config.WSUnits = toBytes(WSUnits->text());
  config.dispMessages = checkText(DisplayMessages->isChecked());
  const std::vector<OptionGroup>& groups = optionGroups();
  for (size_t g = 0; g < groups.size(); ++g) {
    for (size_t i = 0; i < groupOptions[g].size(); ++i) {
      if (groupOptions[g][i]->isChecked()) config.*groups[g].value = groups[g].values[i];
    }
  }
  return config;
}

void ProgramSetup::SaveSettingsButton_Click() {
  const ProgramConfig config = configFromControls();
  if (!isNumeric(config.Port)) {
    dialogs.message(this, kBadPortNumberMessage);
    return;
  }
  const Status saved = replaceFile(programConfigPath(programFolder), programConfigText(config));
  if (!saved) {
    dialogs.message(this, kConfigNotSavedMessage + QString::fromLocal8Bit(saved.error));
    return;
  }
  accept();
}

void ProgramSetup::AbortButton_Click() {
  PortNumber->setText(QStringLiteral("0"));
  SaveSettingsButton_Click();
}

// alarm.cfg is saved by the alarm window itself; the logger reads it again
// with the configuration when this window closes.
void ProgramSetup::AlarmsButton_Click() {
  AlarmSetup window(programFolder, toBytes(WSUnits->text()), dialogs, this);
  dialogs.showModal(window);
}

// turbine.cfg is saved by the turbine window itself; the full battery's
// default follows the SV chosen here, saved or not yet.
void ProgramSetup::TurbineButton_Click() {
  TurbineSetup window(programFolder, configFromControls().SV, dialogs, this);
  dialogs.showModal(window);
}

void ProgramSetup::LinkButton_Click() {
  const std::vector<std::string> found = serialDevices.list();
  // The list is read again: the device may have gone since it was shown.
  if (const std::optional<std::string> device = firstUnreached(devicePorts(programFolder, found))) {
    const Result<int> port = linkDevice(programFolder, *device, found, serialDevices.byIdFolder);
    if (port)
      PortNumber->setText(QString::number(*port));
    else
      dialogs.message(this, fromPath(port.error()));
  }
  showSerialDevices();
}

}  // namespace tamsel
