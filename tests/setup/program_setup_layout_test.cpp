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
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

class SetupForm : public ::testing::Test {
 protected:
  SetupForm() : window(folder.path(), dialogs) { window.show(); }
  template <typename T = QWidget>
  T* child(const char* name) {
    return test::control<T>(window, name);
  }

  test::TempFolder folder;
  test::FakeDialogs dialogs;
  ProgramSetup window;
};

// Tests and screen readers find every control by name.
TEST_F(SetupForm, EveryControlHasItsDesignerNameAndAnAccessibleName) {
  EXPECT_EQ(window.windowTitle(), "Tamsel Setup");
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(widget) && widget->objectName().isEmpty()) continue;  // captions
    EXPECT_FALSE(widget->objectName().isEmpty()) << widget->metaObject()->className();
    EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
  }
  EXPECT_EQ(child<QAbstractButton>("Option13")->text(), "400");
  EXPECT_EQ(child<QAbstractButton>("Option13")->parent(), child<QGroupBox>("Frame4"));
  EXPECT_EQ(child<QGroupBox>("Frame4")->title(), "Max RPM");
  EXPECT_EQ(child<QLineEdit>("LogDelay")->accessibleName(), "Default Logging Interval");
}

TEST_F(SetupForm, ALongListOfSerialDevicesStillFitsItsHint) {
  child<QLabel>("PortHint")
      ->setText(QString::fromStdString(
          serialDevicesHint({"/dev/ttyUSB10", "/dev/ttyACM10", "/dev/ttyUSB11", "/dev/ttyS10"})));
  EXPECT_LE(child<QLabel>("PortHint")->heightForWidth(child<QLabel>("PortHint")->width()),
            child<QLabel>("PortHint")->height())
      << child<QLabel>("PortHint")->text().toStdString();
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
