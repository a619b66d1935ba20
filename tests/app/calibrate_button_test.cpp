#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"
#include "setup/calibrate.h"

namespace tamsel::test {
namespace {

using CalibrateButton = MainWindowTest;

TEST_F(CalibrateButton, SavedCalibrationIsInForceAtOnceAndFramesFlowAgain) {
  start();
  dialogs.onModal = [&](QDialog& window) {
    EXPECT_FALSE(serial.isOpen());  // the window holds the port alone
    EXPECT_TRUE(calibrationSerial.isOpen());
    calibrationSerial.deliver(kGoodFrame);
    test::control<QLineEdit>(window, "BatteryVolts")->setText("20");
    static_cast<Calibrate&>(window).Command1_Click();
  };
  control<QPushButton>("CalibrateButton")->click();
  EXPECT_EQ(dialogs.modalCount, 1);
  EXPECT_FALSE(calibrationSerial.isOpen());
  EXPECT_TRUE(serial.isOpen());
  EXPECT_EQ(state().calibration.VoltDivider, "20");
  EXPECT_EQ(messageLine(), "");
  EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(0, 255, 0));
  EXPECT_EQ(control<QLabel>("Label2")->text(), "");
  serial.deliver(kGoodFrame);
  EXPECT_EQ(listColumn(1)[0], "25.00");  // V 500 at 20 counts per volt
}

TEST_F(CalibrateButton, APortThatWillNotOpenIsReportedAndTheWindowNeverShows) {
  ProgCfg cfg;
  cfg.Port = "0";
  start(cfg);
  int setupShown = 0;
  dialogs.onModal = [&](QDialog& window) {
    ASSERT_EQ(window.objectName(), "ProgramSetup");  // never the calibration window
    ++setupShown;
    test::control<QPushButton>(window, "AbortButton")->click();
  };
  window().CalibrateButton_Click();
  EXPECT_EQ(setupShown, 1);
  EXPECT_EQ(dialogs.messages,
            QStringList{"There is a possible Port Number problem. Check available PORTS"});
  EXPECT_NE(errorLog().find("port not available"), std::string::npos) << errorLog();
  EXPECT_FALSE(calibrationSerial.isOpen());
}

}  // namespace
}  // namespace tamsel::test
