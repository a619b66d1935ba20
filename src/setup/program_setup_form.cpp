#include "setup/program_setup_form.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "config/program_config.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/twips.h"
#include "setup/option_groups.h"

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

// The option frames' designer names, in the order of optionGroups(), top to
// bottom. Their buttons are numbered on from frame to frame.
constexpr std::array<const char*, 5> kFrameNames = {"Frame2", "Frame1", "Frame3", "Frame4",
                                                    "Frame5"};

}  // namespace

void ProgramSetupForm::buildForm(QWidget* window) {
  buildLabels(window);
  buildEntries(window);
  const std::vector<OptionGroup>& groups = optionGroups();
  for (size_t g = 0; g < groups.size(); ++g)
    buildFrame(window, kFrameNames.at(g), groups[g], static_cast<int>(g));
  buildButtons(window);
  window->setFixedSize(twipsToPixels(kClientWidth, window->logicalDpiX()),
                       twipsToPixels(kClientHeight, window->logicalDpiY()));
}

void ProgramSetupForm::buildLabels(QWidget* window) {
  int row = 0;
  for (const char* text : kRowCaptions) makeLabel(window, text, kMargin, row++, kLabelWidth);
  makeLabel(window, "Saved to /html folder", kNoteLeft, 1, kNoteWidth);
  makeLabel(window, "Saved to /Excel folder", kNoteLeft, 2, kNoteWidth);
  makeLabel(window, "Seconds ( 1 - 600 )", kNoteLeft, 3, kNoteWidth);
}

// Created top to bottom, so the tab key walks the form in reading order.
void ProgramSetupForm::buildEntries(QWidget* window) {
  PortNumber = makeTextBox(window, "PortNumber", 0, 735);
  PortHint = valueLabel(window, "PortHint", QStringLiteral("Serial devices found"));
  PortHint->setFont(QFont(QStringLiteral("Arial"), 8));
  PortHint->setWordWrap(true);
  PortHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  PortHint->setStyleSheet(QStringLiteral("color: #505050;"));
  placeTwips(PortHint, kNoteLeft, rowTop(0) - 90, kNoteWidth, 435);
  LinkButton = placeControl<QPushButton>(window, "LinkButton", kLinkLeft,
                                         rowTop(0) - (kLinkHeight - kLabelHeight) / 2, kLinkWidth,
                                         kLinkHeight, QStringLiteral("Link"));
  LinkButton->setAutoDefault(false);
  Savehtml = makeCheckBox(window, "Savehtml", 1);
  SaveExcel = makeCheckBox(window, "SaveExcel", 2);
  LogDelay = makeTextBox(window, "LogDelay", 3, 735);
  LogOn = makeCheckBox(window, "LogOn", 4);
  DisplayRPM = makeCheckBox(window, "DisplayRPM", 5);
  DisplayMessages = makeCheckBox(window, "DisplayMessages", 6);
  DisplayWS = makeCheckBox(window, "DisplayWS", 7);
  TurbineButton = placeControl<QPushButton>(window, "TurbineButton", kLinkLeft,
                                            rowTop(7) - (kLinkHeight - kLabelHeight) / 2,
                                            kLinkWidth, kLinkHeight, QStringLiteral("Turbine"));
  TurbineButton->setAutoDefault(false);
  TurbineButton->setToolTip(
      QStringLiteral("The turbine's and the battery's facts the performance window uses "
                     "(turbine.cfg)"));
  WSUnits = makeTextBox(window, "WSUnits", 8, 1095);
  AlarmsButton = placeControl<QPushButton>(window, "AlarmsButton", kLinkLeft,
                                           rowTop(8) - (kLinkHeight - kLabelHeight) / 2, kLinkWidth,
                                           kLinkHeight, QStringLiteral("Alarms"));
  AlarmsButton->setAutoDefault(false);
  AlarmsButton->setToolTip(QStringLiteral("Limits that raise an alarm (alarm.cfg)"));
}

void ProgramSetupForm::buildFrame(QWidget* window, const char* name, const OptionGroup& group,
                                  int index) {
  auto* frame = new QGroupBox(fromBytes(group.title), window);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setAccessibleName(frame->title());
  placeTwips(frame, kFrameLeft, kFrameTop + index * kFramePitch, kFrameWidth, kFrameHeight);
  size_t number = 1;  // options are numbered on from frame to frame
  for (const std::vector<QRadioButton*>& earlier : groupOptions) number += earlier.size();
  std::vector<QRadioButton*> buttons;
  for (size_t i = 0; i < group.values.size(); ++i) {
    // Buttons sharing a frame exclude one another.
    auto* button = new QRadioButton(fromBytes(group.values[i]), frame);
    button->setObjectName(QStringLiteral("Option%1").arg(number + i));
    button->setAccessibleName(button->text());
    placeTwips(button, kOptionLeft + static_cast<int>(i) * kOptionPitch, kOptionTop, kOptionWidth,
               kCheckHeight);
    buttons.push_back(button);
  }
  // A stored value that matches no option leaves the default one selected.
  buttons[matchingOption(setupDefaults().*group.value, group.values).value()]->setChecked(true);
  groupOptions.push_back(std::move(buttons));
}

void ProgramSetupForm::buildButtons(QWidget* window) {
  AbortButton = new QPushButton(QStringLiteral("Abort"), window);
  AbortButton->setObjectName(QStringLiteral("AbortButton"));
  AbortButton->setAccessibleName(AbortButton->text());
  // The name reads as "cancel", yet it saves with port 0 and leaves the
  // board unheard: the port-problem dialogue relies on that, so it stays
  // and says so.
  AbortButton->setToolTip(QStringLiteral("Save with no serial port: Tamsel runs without a board"));
  AbortButton->setAccessibleDescription(AbortButton->toolTip());
  AbortButton->setAutoDefault(false);
  placeTwips(AbortButton, kMargin, kButtonTop, kAbortWidth, kButtonHeight);
  SaveSettingsButton = new QPushButton(QStringLiteral("Save Settings"), window);
  SaveSettingsButton->setObjectName(QStringLiteral("SaveSettingsButton"));
  SaveSettingsButton->setAccessibleName(SaveSettingsButton->text());
  // Enter saves (the port is checked first); it never aborts.
  SaveSettingsButton->setDefault(true);
  placeTwips(SaveSettingsButton, kClientWidth - kMargin - kSaveWidth, kButtonTop, kSaveWidth,
             kButtonHeight);
  const int folderLeft = kMargin + kAbortWidth + kMargin;
  ProgramFolderLabel = placeValueLabel(window, "ProgramFolderLabel", folderLeft,
                                       kButtonTop + (kButtonHeight - kLabelHeight) / 2,
                                       kClientWidth - kMargin - kSaveWidth - kMargin - folderLeft,
                                       kLabelHeight, QStringLiteral("Program folder"));
}

}  // namespace tamsel
