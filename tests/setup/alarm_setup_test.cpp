// The alarm window: alarm.cfg in and out, and values it will not save.
#include "setup/alarm_setup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "setup/program_setup.h"
#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::control;

const std::string kSaved =
    "Alarm Config File\r\n\r\n<LowVolts>11.5</LowVolts>\r\n<HighVolts></HighVolts>\r\n"
    "<HighAmps>30</HighAmps>\r\n<HighRPM></HighRPM>\r\n<HighWind></HighWind>\r\n"
    "<NoDataMinutes>10</NoDataMinutes>\r\n<HoldSeconds></HoldSeconds>\r\n"
    "<Hysteresis></Hysteresis>\r\n<Command>sms.sh</Command>\r\n\r\n";

class AlarmWindow : public ::testing::Test {
 protected:
  AlarmWindow() {
    folder.write("sms.sh", "#!/bin/sh\n");
    ::chmod(folder.file("sms.sh").c_str(), 0755);
    folder.write("alarm.cfg", kSaved);
  }
  QLineEdit* box(const QDialog& w, const char* name) { return control<QLineEdit>(w, name); }
  void save(const QDialog& w) { control<QPushButton>(w, "SaveAlarmsButton")->click(); }

  test::TempFolder folder;
  test::FakeDialogs dialogs;
};

TEST_F(AlarmWindow, OpensFromTheSetupWindowAndSavesTheBoxesAsTyped) {
  ProgramSetup setup(folder.path(), dialogs, nullptr, {[] { return std::vector<std::string>{}; }});
  control<QLineEdit>(setup, "WSUnits")->setText("knots");
  bool accepted = false;
  dialogs.onModal = [&](QDialog& w) {
    EXPECT_EQ(box(w, "LowVolts")->text(), "11.5");
    EXPECT_EQ(box(w, "Command")->text(), "sms.sh");
    EXPECT_EQ(box(w, "HighWind")->accessibleName(), "Wind above (knots)");
    box(w, "HighAmps")->setText("");
    box(w, "HighWind")->setText("25");
    save(w);
    accepted = w.result() == QDialog::Accepted;
  };
  control<QPushButton>(setup, "AlarmsButton")->click();
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("|").toStdString();
  std::string expected = kSaved;
  expected.replace(expected.find("<HighAmps>30<"), 13, "<HighAmps><");
  expected.replace(expected.find("<HighWind><"), 11, "<HighWind>25<");
  EXPECT_EQ(folder.read("alarm.cfg"), expected);
}

TEST_F(AlarmWindow, AValueTheLoggerCannotUseIsRefusedNamingItsBox) {
  const struct {
    const char* box;
    const char* typed;
    const char* message;  // "" when saved
  } cases[] = {
      {"HighRPM", "500", ""},
      {"HighRPM", "fast", "Over speed, above (RPM) must be a number (empty for no alarm)."},
      {"HoldSeconds", "-5",
       "Held for (seconds) must be a whole number of seconds from 0 to 3600 (empty for 30)."},
      {"HighVolts", "11",
       "Battery low, below (V) must be below the battery high limit (HighVolts)."},
      {"Command", "/bin/sh", ""},
      {"Command", "missing.sh",
       "Command must name a program that can be run: a path, or a name in the program folder "
       "(empty for none)."},
  };
  for (const auto& c : cases) {
    folder.write("alarm.cfg", kSaved);
    dialogs.messages.clear();
    AlarmSetup w(folder.path(), "mph", dialogs);
    box(w, c.box)->setText(c.typed);
    save(w);
    EXPECT_EQ(dialogs.messages.join("|").toStdString(), c.message) << c.box << " " << c.typed;
    EXPECT_EQ(w.result() == QDialog::Accepted, !*c.message) << c.box << " " << c.typed;
    if (*c.message) {
      EXPECT_EQ(folder.read("alarm.cfg"), kSaved) << "nothing written";
    }
  }
}

TEST_F(AlarmWindow, EveryControlHasANameAScreenReaderReads) {
  AlarmSetup w(folder.path(), "mph", dialogs);
  w.show();
  for (QWidget* widget : w.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(widget) && widget->objectName().isEmpty()) continue;  // captions
    // The line edits' own clear buttons and the like are Qt's.
    if (widget->parent() != &w && !widget->parent()->objectName().startsWith("Alarm")) continue;
    const std::string name = widget->objectName().toStdString();
    EXPECT_FALSE(name.empty()) << widget->metaObject()->className();
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty())
        << name;
  }
}

}  // namespace
}  // namespace tamsel
