#include "setup/calibrate_form.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/form_layout.h"
#include "platform/twips.h"

namespace tamsel {
namespace {

constexpr int kStepTop = 480;
constexpr int kStepPitch = 1680;
constexpr int kTextLeft = 120;
constexpr int kTextWidth = 4080;
constexpr int kLineHeight = 255;
constexpr int kRawLeft = 4320;
constexpr int kRawWidth = 1005;
constexpr int kSignLeft = 5400;
constexpr int kSignWidth = 240;
constexpr int kBoxLeft = 5700;
constexpr int kBoxWidth = 1140;
constexpr int kResultWidth = 2100;
constexpr int kRowHeight = 315;
constexpr int kClientWidth = kBoxLeft + kResultWidth + 240;
constexpr int kButtonTop = kStepTop + 4 * kStepPitch + 60;
constexpr int kClientHeight = kButtonTop + 435 + 180;

int stepTop(int step) {
  return kStepTop + step * kStepPitch;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, int left, int top, int width,
                  int height = kLineHeight) {
  auto* label =
      placeControl<QLabel>(parent, name, left, top, width, height, QString::fromLatin1(text));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A read-out: sunken, so it reads as a value rather than a caption. A screen
// reader announces the value it shows; `description` says what it is.
QLabel* makeReadout(QWidget* parent, const char* name, const QString& description, const char* text,
                    int left, int top, int width) {
  QLabel* label = placeValueLabel(parent, name, left, top, width, kRowHeight, description);
  label->setTextFormat(Qt::PlainText);
  label->setText(QString::fromLatin1(text));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                        int width, int height) {
  auto* button = placeControl<QPushButton>(parent, name, left, top, width, height,
                                           QString::fromLatin1(caption));
  button->setAutoDefault(false);
  return button;
}

struct Step {
  QLabel** heading;
  const char* headingName;
  const char* headingText;
  QLabel** raw;
  const char* rawName;
  QLineEdit** box;
  const char* boxName;
  const char* boxText;
  QLabel** result;
  const char* resultName;
  const char* quantity;  // names the step's read-outs for screen readers
};

}  // namespace

void CalibrateForm::buildForm(QWidget* window) {
  window->setObjectName(QStringLiteral("Calibrate"));
  window->setWindowTitle(QStringLiteral("Calibration"));
  window->setFont(QFont(QStringLiteral("Arial"), 9));
  Notice = placeValueLabel(window, "Notice", kTextLeft, 120, kClientWidth - 2 * kTextLeft,
                           kLineHeight, QStringLiteral("Notice"));
  Notice->setTextFormat(Qt::PlainText);
  Notice->hide();
  const Step steps[] = {
      {&Label8, "Label8", "Step 1. Set Voltage", &txtBattV, "txtBattV", &BatteryVolts,
       "BatteryVolts", "0", &txtBattVadjusted, "txtBattVadjusted", "volts"},
      {&Label11, "Label11", "Step 2. Set Current", &txtShuntV, "txtShuntV", &BatteryCurrent,
       "BatteryCurrent", "0", &txtBattAadjusted, "txtBattAadjusted", "current"},
      {&Label14, "Label14", "Step 3. Set RPM", &txtPulsess, "txtPulsess", &PulseDivider,
       "PulseDivider", "1", &txtWindmillRPM, "txtWindmillRPM", "RPM"},
      {&Label21, "Label21", "Step 4. Set Wind Speed", &txtPulsess2, "txtPulsess2", &Pulse2Divider,
       "Pulse2Divider", "1", &txtWindSpeed, "txtWindSpeed", "wind speed"},
  };
  for (int i = 0; i < 4; ++i) {
    const Step& s = steps[i];
    const int top = stepTop(i);
    *s.heading = makeLabel(window, s.headingName, s.headingText, kTextLeft, top, kTextWidth);
    (*s.heading)->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    const QString quantity = QString::fromLatin1(s.quantity);
    *s.raw =
        makeReadout(window, s.rawName, QStringLiteral("Raw ") + quantity + QStringLiteral(" count"),
                    "0", kRawLeft, top + 300, kRawWidth);
    makeLabel(window, nullptr, "\xF7", kSignLeft, top + 330, kSignWidth)
        ->setAlignment(Qt::AlignCenter);
    *s.box = placeControl<QLineEdit>(window, s.boxName, kBoxLeft, top + 300, kBoxWidth, kRowHeight);
    (*s.box)->setText(QString::fromLatin1(s.boxText));  // a value, not its name
    (*s.box)->setAccessibleName(quantity + QStringLiteral(" divisor"));
    makeLabel(window, nullptr, "=", kSignLeft, top + 750, kSignWidth)
        ->setAlignment(Qt::AlignCenter);
    *s.result = makeReadout(window, s.resultName, QStringLiteral("Calibrated ") + quantity, "",
                            kBoxLeft, top + 720, kResultWidth);
  }
  const char* instructions[2][3] = {
      {"Measure your battery voltage, and then adjust",
       "this value until the correct battery voltage", "is displayed"},
      {"With no current flowing, press the Zero button..",
       "Apply a charging current, and adjust this", "value until the correct amps is displayed."}};
  for (int i = 0; i < 2; ++i) {
    for (int line = 0; line < 3; ++line) {
      makeLabel(window, nullptr, instructions[i][line], kTextLeft + 120,
                stepTop(i) + 300 + line * kLineHeight, kTextWidth - 120);
    }
  }
  Command2 = makeButton(window, "Command2", "Zero", kTextLeft + 120, stepTop(1) + 1110, 900, 345);
  Label1 = makeLabel(window, "Label1", "Offset", kTextLeft + 1140, stepTop(1) + 1155, 600);
  OffsetV = makeReadout(window, "OffsetV", QStringLiteral("Offset"), "0", kTextLeft + 1800,
                        stepTop(1) + 1125, 900);
  Label3 = makeLabel(window, "Label3", "How many pulses per revolution?", kTextLeft + 120,
                     stepTop(2) + 300, kTextWidth - 120);
  Label15 = makeLabel(window, "Label15", "ie, for a 14-pulse alternator, type in 14.",
                      kTextLeft + 120, stepTop(2) + 300 + kLineHeight, kTextWidth - 120);
  Label23 = makeLabel(window, "Label23", "", kTextLeft + 120, stepTop(3) + 300, kTextWidth - 120);
  Command6 = makeButton(window, "Command6", "Exit ( dont save )", kTextLeft, kButtonTop, 2100, 435);
  Command1 = makeButton(window, "Command1", "Save Calibration", kClientWidth - 240 - 2100,
                        kButtonTop, 2100, 435);
  window->setFixedSize(twipsToPixels(kClientWidth, window->logicalDpiX()),
                       twipsToPixels(kClientHeight, window->logicalDpiY()));
}

}  // namespace tamsel
