// The windows the main window opens over itself: calibration and the live plot.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/picture_box.h"
#include "platform/twips.h"
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

using LivePlot = MainWindowTest;

TEST_F(LivePlot, TickingWidensTheWindowAndEveryShownReadingAddsOneMark) {
  start();
  auto* plot = control<PictureBox>("GraphPlot");
  const int widthBefore = window().width();
  control<QCheckBox>("GraphDisplay")->setChecked(true);
  EXPECT_GT(window().width(), widthBefore);
  const size_t grid = plot->display().lines().size();
  EXPECT_EQ(grid, 11u);
  serial.deliver(kGoodFrame);
  serial.deliver("[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]");  // a checksum error, shown
  serial.deliver("[<V>0</V><I>164</I><R>5</R><S>13</S><C>182</C>]");  // volts 0: dropped
  ASSERT_EQ(plot->display().lines().size(), grid + 2);
  const DrawnLine& mark = plot->display().lines().back();
  EXPECT_EQ(mark.x1, 300);             // RPM
  EXPECT_EQ(mark.y1, 1000 - 40 + 25);  // MP - watts + MP / 40

  control<QCheckBox>("GraphDisplay")->setChecked(false);
  EXPECT_TRUE(plot->display().lines().empty());
  EXPECT_EQ(window().width(), twipsToPixels(4725, window().logicalDpiX()) -
                                  (window().frameGeometry().width() - window().geometry().width()));
}

}  // namespace
}  // namespace tamsel::test
