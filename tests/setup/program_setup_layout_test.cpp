#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>

#include "setup/program_setup.h"
#include "setup/serial_hint.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

class SetupForm : public ::testing::Test {
 protected:
  SetupForm() : window(folder.path(), dialogs) { window.show(); }
  template <typename T>
  T* child(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }

  test::TempFolder folder;
  test::FakeDialogs dialogs;
  ProgramSetup window;
};

TEST_F(SetupForm, ButtonsAndFramesCarryTheirCaptions) {
  EXPECT_EQ(window.windowTitle(), "Tamsel Setup");
  const std::pair<const char*, const char*> buttons[] = {
      {"Option1", "12"},        {"Option2", "24"},
      {"Option3", "48"},        {"Option4", "10"},
      {"Option5", "20"},        {"Option6", "50"},
      {"Option7", "2400"},      {"Option8", "4800"},
      {"Option9", "9600"},      {"Option10", "57600"},
      {"Option11", "200"},      {"Option12", "300"},
      {"Option13", "400"},      {"Option14", "500"},
      {"Option15", "600"},      {"Option16", "300"},
      {"Option17", "500"},      {"Option18", "1000"},
      {"Option19", "2000"},     {"Option20", "3000"},
      {"AbortButton", "Abort"}, {"SaveSettingsButton", "Save Settings"}};
  for (auto [name, caption] : buttons) {
    auto* button = child<QAbstractButton>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->text(), caption) << name;
  }
  const std::pair<const char*, const char*> frames[] = {{"Frame2", "System Voltage"},
                                                        {"Frame1", "Max System Amps"},
                                                        {"Frame3", "Baud rate"},
                                                        {"Frame4", "Max RPM"},
                                                        {"Frame5", "Max Output Power"}};
  for (auto [name, title] : frames) {
    auto* frame = child<QGroupBox>(name);
    ASSERT_NE(frame, nullptr) << name;
    EXPECT_EQ(frame->title(), title) << name;
  }
  EXPECT_EQ(window.Option13->parent(), window.Frame4);
  EXPECT_EQ(window.Option1->parent(), window.Frame2);
  for (QCheckBox* box : window.findChildren<QCheckBox*>()) EXPECT_EQ(box->text(), "");
}

TEST_F(SetupForm, LabelsStandTopToBottomBesideTheirControls) {
  const std::pair<const char*, QWidget*> rows[] = {
      {"Com port", window.PortNumber},
      {"Save HTML page?", window.Savehtml},
      {"Save Excel File?", window.SaveExcel},
      {"Default Logging Interval", window.LogDelay},
      {"Start Logger Automatically?", window.LogOn},
      {"Display RPM?", window.DisplayRPM},
      {"Record Error messages", window.DisplayMessages},
      {"Display Wind Speed?", window.DisplayWS},
      {"Wind Speed Units", window.WSUnits}};
  const std::pair<const char*, QWidget*> notes[] = {{"Saved to /html folder", window.Savehtml},
                                                    {"Saved to /Excel folder", window.SaveExcel},
                                                    {"Seconds ( 1 - 600 )", window.LogDelay}};
  auto labelNamed = [&](const char* text) -> QLabel* {
    for (QLabel* label : window.findChildren<QLabel*>())
      if (label->text() == text) return label;
    return nullptr;
  };
  int previousTop = -1;
  for (auto [text, control] : rows) {
    QLabel* label = labelNamed(text);
    ASSERT_NE(label, nullptr) << text;
    EXPECT_GT(label->y(), previousTop) << text;
    EXPECT_LT(label->geometry().right(), control->x()) << text;
    EXPECT_LT(std::abs(label->geometry().center().y() - control->geometry().center().y()), 4)
        << text;
    previousTop = label->y();
  }
  for (auto [text, control] : notes) {
    QLabel* label = labelNamed(text);
    ASSERT_NE(label, nullptr) << text;
    EXPECT_GT(label->x(), control->geometry().right()) << text;
    EXPECT_LT(std::abs(label->geometry().center().y() - control->geometry().center().y()), 4)
        << text;
  }
  EXPECT_LT(window.AbortButton->x(), window.SaveSettingsButton->x());
  EXPECT_GT(window.AbortButton->y(), window.WSUnits->geometry().bottom());
}

TEST_F(SetupForm, ALongListOfSerialDevicesStillFitsItsHint) {
  window.PortHint->setText(QString::fromStdString(
      serialDevicesHint({"/dev/ttyUSB10", "/dev/ttyACM10", "/dev/ttyUSB11", "/dev/ttyS10"})));
  EXPECT_LE(window.PortHint->heightForWidth(window.PortHint->width()), window.PortHint->height())
      << window.PortHint->text().toStdString();
}

// Every caption fits its control and no two controls of one parent overlap.
TEST_F(SetupForm, NoTextIsClippedAndNothingOverlaps) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
      EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
      EXPECT_LE(label->sizeHint().height(), label->height()) << label->text().toStdString();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_LE(button->sizeHint().width(), button->width()) << name.toStdString();
      EXPECT_LE(button->sizeHint().height(), button->height() + 2) << name.toStdString();
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width());
    }
  }
  QList<QWidget*> parents = window.findChildren<QWidget*>();
  parents << &window;
  for (QWidget* parent : parents) {
    const QList<QWidget*> kids = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < kids.size(); ++i) {
      EXPECT_TRUE(parent->rect().contains(kids[i]->geometry()))
          << kids[i]->objectName().toStdString();
      for (qsizetype j = i + 1; j < kids.size(); ++j)
        EXPECT_FALSE(kids[i]->geometry().intersects(kids[j]->geometry()))
            << kids[i]->objectName().toStdString() << " / " << kids[j]->objectName().toStdString();
    }
  }
  // To look at the form: TAMSEL_SCREENSHOT=/tmp/setup.png under xvfb-run.
  if (const char* path = std::getenv("TAMSEL_SCREENSHOT"))
    window.grab().save(QString::fromLocal8Bit(path));
}

}  // namespace
}  // namespace tamsel
