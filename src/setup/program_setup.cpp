#include "setup/program_setup.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>

#include "config/program_config.h"
#include "platform/numeric_text.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"
#include "platform/twips.h"
#include "setup/alarm_setup.h"
#include "setup/option_groups.h"
#include "setup/serial_links.h"

namespace tamsel {
namespace {

// The form, in twips: a column of labelled entries on the left, the option
// frames on the right, the two buttons along the bottom with the program
// folder between them.
constexpr int kMargin = 240;
constexpr int kLabelWidth = 2520;
constexpr int kEntryLeft = 2880;
constexpr int kNoteLeft = 3720;
constexpr int kNoteWidth = 1920;
constexpr int kLinkLeft = kNoteLeft + kNoteWidth + 120;
constexpr int kLinkWidth = 1275;
constexpr int kLinkHeight = 345;
constexpr int kRowTop = 240;
constexpr int kRowPitch = 420;
constexpr int kLabelHeight = 255;
constexpr int kCheckHeight = 300;
constexpr int kBoxHeight = 315;
constexpr int kFrameLeft = kLinkLeft + kLinkWidth + kMargin;
constexpr int kFrameWidth = 5040;
constexpr int kFrameTop = 120;
constexpr int kFramePitch = 780;
constexpr int kFrameHeight = 675;
constexpr int kOptionLeft = 180;
constexpr int kOptionTop = 300;
constexpr int kOptionPitch = 960;
constexpr int kOptionWidth = 900;
constexpr int kButtonTop = 4275;
constexpr int kButtonHeight = 435;
constexpr int kAbortWidth = 1455;
constexpr int kSaveWidth = 1695;
constexpr int kClientWidth = kFrameLeft + kFrameWidth + kMargin;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

int rowTop(int row) {
  return kRowTop + row * kRowPitch;
}

// The label text of each row, which also names the row's control for
// screen readers and tests.
constexpr const char* kRowCaptions[] = {"Com port",
                                        "Save HTML page?",
                                        "Save Excel File?",
                                        "Default Logging Interval",
                                        "Start Logger Automatically?",
                                        "Display RPM?",
                                        "Record Error messages",
                                        "Display Wind Speed?",
                                        "Wind Speed Units"};

QLabel* makeLabel(QWidget* parent, const char* text, int left, int row, int width) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  placeTwips(label, left, rowTop(row), width, kLabelHeight);
  return label;
}

// A row's entry, read out by the row's caption: its label stands beside it.
QLineEdit* makeTextBox(QWidget* parent, const char* name, int row, int width) {
  return placeControl<QLineEdit>(parent, name, kEntryLeft,
                                 rowTop(row) - (kBoxHeight - kLabelHeight) / 2, width, kBoxHeight,
                                 {}, QString::fromLatin1(kRowCaptions[row]));
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, int row) {
  return placeControl<QCheckBox>(parent, name, kEntryLeft,
                                 rowTop(row) - (kCheckHeight - kLabelHeight) / 2, 300, kCheckHeight,
                                 {}, QString::fromLatin1(kRowCaptions[row]));
}

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
  buildLabels();
  buildEntries();
  const std::vector<OptionGroup>& groups = optionGroups();
  Frame2 = buildFrame("Frame2", groups[0], {&Option1, &Option2, &Option3}, 0);
  Frame1 = buildFrame("Frame1", groups[1], {&Option4, &Option5, &Option6}, 1);
  Frame3 = buildFrame("Frame3", groups[2], {&Option7, &Option8, &Option9, &Option10}, 2);
  Frame4 =
      buildFrame("Frame4", groups[3], {&Option11, &Option12, &Option13, &Option14, &Option15}, 3);
  Frame5 =
      buildFrame("Frame5", groups[4], {&Option16, &Option17, &Option18, &Option19, &Option20}, 4);
  buildButtons();
  setFixedSize(twipsToPixels(kClientWidth, logicalDpiX()),
               twipsToPixels(kClientHeight, logicalDpiY()));
  showSerialDevices();
  showProgramFolder();
  Form_Load();
}

void ProgramSetup::buildLabels() {
  int row = 0;
  for (const char* text : kRowCaptions) makeLabel(this, text, kMargin, row++, kLabelWidth);
  makeLabel(this, "Saved to /html folder", kNoteLeft, 1, kNoteWidth);
  makeLabel(this, "Saved to /Excel folder", kNoteLeft, 2, kNoteWidth);
  makeLabel(this, "Seconds ( 1 - 600 )", kNoteLeft, 3, kNoteWidth);
}

// Created top to bottom, so the tab key walks the form in reading order.
void ProgramSetup::buildEntries() {
  PortNumber = makeTextBox(this, "PortNumber", 0, 735);
  PortHint = valueLabel(this, "PortHint", QStringLiteral("Serial devices found"));
  PortHint->setFont(QFont(QStringLiteral("Arial"), 8));
  PortHint->setWordWrap(true);
  PortHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  PortHint->setStyleSheet(QStringLiteral("color: #505050;"));
  placeTwips(PortHint, kNoteLeft, rowTop(0) - 90, kNoteWidth, 435);
  LinkButton = placeControl<QPushButton>(this, "LinkButton", kLinkLeft,
                                         rowTop(0) - (kLinkHeight - kLabelHeight) / 2, kLinkWidth,
                                         kLinkHeight, QStringLiteral("Link"));
  LinkButton->setAutoDefault(false);
  connect(LinkButton, &QPushButton::clicked, this, [this] { LinkButton_Click(); });
  Savehtml = makeCheckBox(this, "Savehtml", 1);
  SaveExcel = makeCheckBox(this, "SaveExcel", 2);
  LogDelay = makeTextBox(this, "LogDelay", 3, 735);
  LogOn = makeCheckBox(this, "LogOn", 4);
  DisplayRPM = makeCheckBox(this, "DisplayRPM", 5);
  DisplayMessages = makeCheckBox(this, "DisplayMessages", 6);
  DisplayWS = makeCheckBox(this, "DisplayWS", 7);
  WSUnits = makeTextBox(this, "WSUnits", 8, 1095);
  AlarmsButton = placeControl<QPushButton>(this, "AlarmsButton", kLinkLeft,
                                           rowTop(8) - (kLinkHeight - kLabelHeight) / 2, kLinkWidth,
                                           kLinkHeight, QStringLiteral("Alarms"));
  AlarmsButton->setAutoDefault(false);
  AlarmsButton->setToolTip(QStringLiteral("Limits that raise an alarm (alarm.cfg)"));
  connect(AlarmsButton, &QPushButton::clicked, this, [this] { AlarmsButton_Click(); });
}

QGroupBox* ProgramSetup::buildFrame(const char* name, const OptionGroup& group,
                                    std::vector<QRadioButton**> options, int index) {
  auto* frame = new QGroupBox(fromBytes(group.title), this);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setAccessibleName(frame->title());
  placeTwips(frame, kFrameLeft, kFrameTop + index * kFramePitch, kFrameWidth, kFrameHeight);
  size_t number = 1;  // options are numbered on from frame to frame
  for (const std::vector<QRadioButton*>& earlier : groupOptions) number += earlier.size();
  std::vector<QRadioButton*> buttons;
  for (size_t i = 0; i < options.size(); ++i) {
    // Buttons sharing a frame exclude one another.
    auto* button = new QRadioButton(fromBytes(group.values[i]), frame);
    button->setObjectName(QStringLiteral("Option%1").arg(number + i));
    button->setAccessibleName(button->text());
    placeTwips(button, kOptionLeft + static_cast<int>(i) * kOptionPitch, kOptionTop, kOptionWidth,
               kCheckHeight);
    *options[i] = button;
    buttons.push_back(button);
  }
  // A stored value that matches no option leaves the default one selected.
  buttons[matchingOption(setupDefaults().*group.value, group.values).value()]->setChecked(true);
  groupOptions.push_back(std::move(buttons));
  return frame;
}

void ProgramSetup::buildButtons() {
  AbortButton = new QPushButton(QStringLiteral("Abort"), this);
  AbortButton->setObjectName(QStringLiteral("AbortButton"));
  AbortButton->setAccessibleName(AbortButton->text());
  // The name reads as "cancel", yet it saves with port 0 and leaves the
  // board unheard: the port-problem dialogue relies on that, so it stays
  // and says so.
  AbortButton->setToolTip(QStringLiteral("Save with no serial port: Tamsel runs without a board"));
  AbortButton->setAccessibleDescription(AbortButton->toolTip());
  AbortButton->setAutoDefault(false);
  placeTwips(AbortButton, kMargin, kButtonTop, kAbortWidth, kButtonHeight);
  SaveSettingsButton = new QPushButton(QStringLiteral("Save Settings"), this);
  SaveSettingsButton->setObjectName(QStringLiteral("SaveSettingsButton"));
  SaveSettingsButton->setAccessibleName(SaveSettingsButton->text());
  // Enter saves (the port is checked first); it never aborts.
  SaveSettingsButton->setDefault(true);
  placeTwips(SaveSettingsButton, kClientWidth - kMargin - kSaveWidth, kButtonTop, kSaveWidth,
             kButtonHeight);
  const int folderLeft = kMargin + kAbortWidth + kMargin;
  ProgramFolderLabel = placeValueLabel(this, "ProgramFolderLabel", folderLeft,
                                       kButtonTop + (kButtonHeight - kLabelHeight) / 2,
                                       kClientWidth - kMargin - kSaveWidth - kMargin - folderLeft,
                                       kLabelHeight, QStringLiteral("Program folder"));
  connect(AbortButton, &QPushButton::clicked, this, [this] { AbortButton_Click(); });
  connect(SaveSettingsButton, &QPushButton::clicked, this, [this] { SaveSettingsButton_Click(); });
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
