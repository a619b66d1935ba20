#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>

#include "setup/program_setup.h"
#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

class SetupForm : public ::testing::Test {
 protected:
  SetupForm() : window(folder.path(), dialogs) { window.show(); }
  test::TempFolder folder;
  test::FakeDialogs dialogs;
  ProgramSetup window;
};

// Tests find every control by name; a screen reader reads a control's name,
// which for a label showing a value (the folder, the devices) is that value.
TEST_F(SetupForm, EveryControlHasANameAndAScreenReaderReadsWhatItShows) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(widget) && widget->objectName().isEmpty()) continue;  // captions
    const std::string name = widget->objectName().toStdString();
    EXPECT_FALSE(name.empty()) << widget->metaObject()->className();
    const QString read = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    if (name == "PortHint" || name == "ProgramFolderLabel") {  // values, not captions
      EXPECT_EQ(read, qobject_cast<QLabel*>(widget)->text()) << name;
      EXPECT_FALSE(widget->accessibleDescription().isEmpty()) << name;
    } else {
      EXPECT_FALSE(read.isEmpty()) << name;
    }
  }
}

// A long list is cut short with an ellipsis and a long folder elided in the
// middle; the tooltips keep everything.
TEST(SetupFormNotes, LongDeviceListAndLongFolderStillFitTheirLabels) {
  test::FakeDialogs dialogs;
  const std::string folder = "/home/someone/" + std::string(200, 'x') + "/tamsel";
  const std::vector<std::string> devices = {"/dev/ttyUSB10", "/dev/ttyACM10", "/dev/ttyUSB11",
                                            "/dev/ttyS10"};
  ProgramSetup window(folder, dialogs, nullptr, {[&] { return devices; }, "/nonexistent"});
  window.show();
  auto* hint = test::control<QLabel>(window, "PortHint");
  EXPECT_LE(hint->heightForWidth(hint->width()), hint->height()) << hint->text().toStdString();
  EXPECT_TRUE(hint->text().endsWith(QChar(0x2026))) << hint->text().toStdString();
  EXPECT_EQ(hint->toolTip().split('\n').size(), 4);
  auto* files = test::control<QLabel>(window, "ProgramFolderLabel");
  EXPECT_LE(files->sizeHint().width(), files->width());
  EXPECT_TRUE(files->text().startsWith("Files in: /home/")) << files->text().toStdString();
  EXPECT_TRUE(files->text().endsWith("x/tamsel")) << files->text().toStdString();
  EXPECT_EQ(files->toolTip(), QString::fromStdString(folder));
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
}

}  // namespace
}  // namespace tamsel
