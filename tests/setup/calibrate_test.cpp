#include "setup/calibrate.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "config/program_config.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

const char kSettings[] =
    "Calibration Settings\r\n\r\n\r\n<VoltDivider>40</VoltDivider>\r\n"
    "<VoltOffset>100</VoltOffset>\r\n<AmpDivider>13.70</AmpDivider>\r\n"
    "<RPMDivider>14</RPMDivider>\r\n<WSDivider>2</WSDivider>\r\n";

class CalibrateWindow : public ::testing::Test {
 protected:
  CalibrateWindow() {
    serial.availablePorts = {3};
    ProgramConfig config = setupDefaults();
    config.Port = "3";
    config.BR = "9600";
    config.WSUnits = "knots";
    folder.write("prog.cfg", programConfigText(config));
    folder.write("settings.cfg", kSettings);
  }
  Calibrate& open() {
    window = std::make_unique<Calibrate>(folder.path(), serial, dialogs);
    loaded = window->Form_Load();
    window->show();
    return *window;
  }
  QString text(const char* name) const {
    if (auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(name))) return box->text();
    return test::control<QLabel>(*window, name)->text();
  }
  QLineEdit* box(const char* name) const { return test::control<QLineEdit>(*window, name); }

  test::TempFolder folder;
  test::FakeDialogs dialogs;
  test::FakeSerial serial;
  std::unique_ptr<Calibrate> window;
  Status loaded;
};

// The divisors' boxes show in what the steps compute and in the bytes saved.
TEST_F(CalibrateWindow, LoadOpensThePortAndFramesRefreshTheStepsWithTheDivisorsAsTypedNow) {
  Calibrate& w = open();
  ASSERT_TRUE(loaded) << loaded.error;
  EXPECT_TRUE(serial.isOpen());
  EXPECT_EQ(serial.commPort(), 3);
  EXPECT_EQ(serial.settings(), "9600,N,8,1");
  EXPECT_EQ(text("Label23"), "How many pulses per knots?");
  EXPECT_FALSE(test::control<QLabel>(w, "Notice")->isVisibleTo(&w));
  serial.deliver("[<V>500</V><I>374</I><R>7</R><S>13</S>");
  EXPECT_EQ(text("txtBattV"), "0");  // no "]" yet
  serial.deliver("<C>894</C>]");
  EXPECT_EQ(text("txtBattVadjusted"), "12.50 Volts");
  EXPECT_EQ(text("txtWindSpeed"), "6.5 knots");
  EXPECT_EQ(text("txtBattAadjusted"), "20.00 Amps");
  // A screen reader reads the value itself, and what it is as its description.
  QAccessibleInterface* result =
      QAccessible::queryAccessibleInterface(test::control<QLabel>(w, "txtBattVadjusted"));
  EXPECT_EQ(result->text(QAccessible::Name), "12.50 Volts");
  EXPECT_EQ(result->text(QAccessible::Description), "Calibrated volts");
  box("BatteryVolts")->setText("50");
  serial.deliver("[<V>500</V><I>374</I>]");
  EXPECT_EQ(text("txtBattVadjusted"), "10.00 Volts");
  w.Command2_Click();  // Zero takes the raw amps count shown
  EXPECT_EQ(text("OffsetV"), "374");
  serial.deliver("[<V>500</V><I>374</I>]");
  EXPECT_EQ(text("txtBattAadjusted"), "0.00 Amps");
}

TEST_F(CalibrateWindow, SaveRefusesADividerThatIsNoNumberElseWritesTheBoxesByteExact) {
  Calibrate& w = open();
  serial.deliver("[<V>500</V><I>98</I>]");
  w.Command2_Click();
  box("BatteryVolts")->setText("40.5");
  box("Pulse2Divider")->setText("abc");  // the main window could read no frame with it
  test::control<QPushButton>(w, "Command1")->click();
  EXPECT_EQ(dialogs.messages.size(), 1);
  EXPECT_EQ(folder.read("settings.cfg"), kSettings);
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(serial.isOpen());
  box("Pulse2Divider")->setText("2.5");
  test::control<QPushButton>(w, "Command1")->click();
  EXPECT_EQ(folder.read("settings.cfg"),
            "Calibration Settings\r\n\r\n\r\n<VoltDivider>40.5</VoltDivider>\r\n"
            "<VoltOffset>98</VoltOffset>\r\n<AmpDivider>13.7</AmpDivider>\r\n"
            "<RPMDivider>14</RPMDivider>\r\n<WSDivider>2.5</WSDivider>\r\n");
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_FALSE(serial.isOpen());
}

TEST_F(CalibrateWindow, LeavingWithoutSavingKeepsTheFileByteForByteEvenAfterZero) {
  for (bool byFrame : {false, true}) {
    Calibrate& w = open();
    serial.deliver("[<V>500</V><I>98</I>]");
    w.Command2_Click();
    box("BatteryVolts")->setText("1");
    if (byFrame) {
      w.close();
    } else {
      w.Command6_Click();
    }
    EXPECT_EQ(folder.read("settings.cfg"), kSettings);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(serial.isOpen());
  }
}

TEST_F(CalibrateWindow, AFileThatCannotBeWrittenIsReportedAndTheTypedValuesStay) {
  Calibrate& w = open();
  // A folder where the file's replacement is written first: even root cannot.
  std::filesystem::create_directory(folder.file("settings.cfg.new"));
  box("BatteryVolts")->setText("41");
  w.Command1_Click();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith(kCalibrationNotSavedMessage));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(text("BatteryVolts"), "41");
  EXPECT_EQ(folder.read("settings.cfg"), kSettings);
}

TEST_F(CalibrateWindow, MissingFilesOpenWithDefaultsAndSaySo) {
  std::filesystem::remove(folder.file("settings.cfg"));
  open();
  ASSERT_TRUE(loaded);
  for (const char* divider : {"BatteryVolts", "BatteryCurrent", "PulseDivider", "Pulse2Divider"})
    EXPECT_EQ(text(divider), "1") << divider;
  EXPECT_EQ(text("OffsetV"), "0");
  EXPECT_TRUE(test::control<QLabel>(*window, "Notice")->isVisibleTo(window.get()));
}

TEST_F(CalibrateWindow, ALostPortIsShownInTheNoticeUntilFramesResume) {
  open();
  QLabel* notice = test::control<QLabel>(*window, "Notice");
  serial.deliver("[<V>5");  // a frame the unplug cut off
  serial.lose("device disconnected (No such file or directory)");
  EXPECT_TRUE(notice->isVisibleTo(window.get()));
  EXPECT_EQ(notice->text(), "port not available: device disconnected (No such file or directory)");
  serial.restore();
  EXPECT_EQ(notice->text(), "port open again, waiting for frames");
  serial.deliver("[<V>400</V>]");
  EXPECT_EQ(text("txtBattVadjusted"), "10.00 Volts");  // nothing of the cut frame mixed in
  EXPECT_FALSE(notice->isVisibleTo(window.get()));
}

}  // namespace
}  // namespace tamsel
