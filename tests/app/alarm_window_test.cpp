// Alarms as the main window shows them: the message line, the
// live list's row and the comms line, raised and cleared on frames.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "config/alarm_config.h"
#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"

namespace tamsel::test {
namespace {

// 11.00 V and 12.50 V with the tests' calibration.
const char* kLowFrame = "[<V>440</V><I>164</I><R>5</R><S>13</S><C>622</C>]";

class AlarmWindowTest : public MainWindowTest {
 protected:
  void startWith(const AlarmConfig& alarms, const char* dispMessages = "1") {
    folder.write("alarm.cfg", alarmConfigText(alarms));
    ProgCfg cfg;
    cfg.dispMessages = dispMessages;
    start(cfg);
  }
  // One second passes with `frame` in it, and the alarms are judged.
  void second(const char* frame) {
    if (*frame) serial.deliver(frame);
    LocalDateTime t = clock.now();
    ++t.second;  // the tests stay inside one minute
    clock.set(t);
    fire("AlarmTimer");
  }
  // A minute passes, `frame` at its end: what was held is told.
  void minuteLater(const char* frame = "") {
    if (*frame) serial.deliver(frame);
    LocalDateTime t = clock.now();
    ++t.minute;
    clock.set(t);
    fire("AlarmTimer");
  }
  QTreeWidgetItem* voltsRow() const {
    showPending();
    return control<QTreeWidget>("ListView1")->topLevelItem(0);
  }
};

TEST_F(AlarmWindowTest, ALowBatteryTurnsItsRowRedAndIsToldRaisedAndCleared) {
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  alarms.HoldSeconds = "2";
  startWith(alarms);
  second("");  // the first tick only starts the count
  for (int s = 0; s < 2; ++s) second(kLowFrame);
  EXPECT_EQ(voltsRow()->background(1).color(), QColor(255, 0, 0)) << "judged on 2 seconds";
  EXPECT_EQ(voltsRow()->toolTip(2).toStdString(),
            "Battery volts low since 2010_05_23 14:05:36: below 11.5 V (11.00 V); clears above "
            "11.73 V");
  const std::string raised = "LowVolts alarm raised: battery at 11.00 V, below 11.5 V";
  EXPECT_EQ(messageLine(), "  Last Error trapped  14:05:36  ---  " + raised + "  ");
  EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));
  EXPECT_EQ(control<QTreeWidget>("ListView1")->topLevelItem(1)->toolTip(1), "") << "amps row";

  // A later error takes the line; the row stays red. Its frame counts:
  // the averaged 11.00, 12.50 and 12.50 V are back above the hysteresis.
  serial.deliver("[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]");
  EXPECT_NE(messageLine().find("checksum error"), std::string::npos);
  EXPECT_TRUE(voltsRow()->data(1, Qt::BackgroundRole).isValid());
  second(kGoodFrame);
  EXPECT_FALSE(voltsRow()->data(1, Qt::BackgroundRole).isValid());
  EXPECT_EQ(voltsRow()->toolTip(1), "");
  // Told a minute after the raise, with the time it cleared.
  EXPECT_NE(messageLine().find("checksum error"), std::string::npos);
  minuteLater();
  const std::string cleared = "LowVolts alarm cleared: battery at 12.00 V, above 11.73 V";
  EXPECT_EQ(messageLine(), "  14:05:37  ---  " + cleared);
}

TEST_F(AlarmWindowTest, ASilentBoardShowsNoDataOnTheCommsLine) {
  AlarmConfig alarms;
  alarms.NoDataMinutes = "0.05";  // 3 seconds
  alarms.HoldSeconds = "0";
  startWith(alarms, "0");
  second("");
  second(kGoodFrame);
  for (int s = 0; s < 3; ++s) second("");
  EXPECT_EQ(commsLine(), "No data");
  EXPECT_EQ(messageLine(),
            "  Last Error trapped  14:05:38  ---  NoDataMinutes alarm raised: no data from the "
            "board for 0.1 minutes  ");
  second(kGoodFrame);
  EXPECT_NE(commsLine(), "No data");
  minuteLater(kGoodFrame);
  EXPECT_EQ(messageLine(), "  14:05:39  ---  NoDataMinutes alarm cleared: data again");
  EXPECT_EQ(errorLog(), "<missing>") << "Record Error messages is off";
}

// Alarms saved from the setup window take effect when it closes.
TEST_F(AlarmWindowTest, AlarmsSavedInTheSetupWindowAreJudgedOnceItCloses) {
  OrvaneLogger& w = start();
  dialogs.onModal = [&](QDialog& window) {
    if (window.objectName() == "AlarmSetup") {
      test::control<QLineEdit>(window, "HighAmps")->setText("3");
      test::control<QLineEdit>(window, "HoldSeconds")->setText("0");
      test::control<QPushButton>(window, "SaveAlarmsButton")->click();
    } else {
      test::control<QPushButton>(window, "AlarmsButton")->click();
      test::control<QPushButton>(window, "SaveSettingsButton")->click();
    }
  };
  w.Setup_Click();
  second("");
  second(kGoodFrame);  // 3.20 A
  EXPECT_EQ(messageLine(),
            "  Last Error trapped  14:05:35  ---  HighAmps alarm raised: current at 3.20 A, above "
            "3 A  ");
}

}  // namespace
}  // namespace tamsel::test
