// Frames as the window shows them, also in the live plot and after the
// calibration window has changed how they read.
#include <QCheckBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QTimer>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/picture_box.h"
#include "platform/twips.h"
#include "setup/calibrate.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

using Receive = MainWindowTest;

TEST_F(Receive, AFrameUpdatesListCaptionCommsLineAndBlinks) {
  ProgCfg cfg;
  cfg.DisplayRPM = "1";
  cfg.DisplayWS = "1";
  OrvaneLogger& w = start(cfg);
  serial.deliver("[<V>500</V><I>164</I><R>5</R>");
  EXPECT_EQ(title(), "Tamsel - Waiting for Signal");
  serial.deliver("<S>13</S><C>682</C>]");
  EXPECT_EQ(title(), "Tamsel  12.50V 3.2A 40W");
  EXPECT_EQ(listColumn(1), (std::vector<std::string>{"12.50", "3.2", "40.0", "0.0", "300", "6.5"}));
  EXPECT_EQ(commsLine(), kGoodFrame);
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), QColor(255, 0, 0));
  EXPECT_TRUE(control<QTimer>("Timer2")->isActive());
  w.Timer2_Timer();
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), buttonFace());
  EXPECT_FALSE(control<QTimer>("Timer2")->isActive());
  // A frame that is dropped changes nothing but is shown; the buffer keeps
  // the "[" that starts the next one.
  serial.deliver("<V>0</V><I>1</I><R>1</R><S>1</S><C>3</C>]");
  EXPECT_EQ(commsLine(), "[<V>0</V><I>1</I><R>1</R><S>1</S><C>3</C>]");
  EXPECT_EQ(listColumn(1)[0], "12.50");
  EXPECT_EQ(title(), "Tamsel  12.50V 3.2A 40W");
  // The WattHours row follows the running total between frames too.
  for (int i = 0; i < 18; ++i) fire("Timer3");  // 40 W for 90 s
  EXPECT_EQ(listColumn(1).at(kWattHoursRow), wattHoursText(1.0));
  // A frame with a checksum error is shown and reported in red; one that
  // fails part-way is shown as a program error.
  const std::string badSum = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]";
  serial.deliver(badSum);
  EXPECT_EQ(messageLine(), "  Last Error trapped  14:05:33  ---  checksum error  ");
  EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));
  start(cfg, "<VoltDivider>0</VoltDivider>");
  serial.deliver(badSum);
  EXPECT_EQ(commsLine(), "program execution error : \r\n" + badSum);
  EXPECT_EQ(title(), "Tamsel - Waiting for Signal");
}

// The lights flash with every refresh for as long as the program runs: each
// flash must leave the pictures a style keeps for the whole program alone,
// or they pile up by the thousand (a few megabytes an hour). A picture put
// there first, in a cache made small, is still there after many flashes.
TEST_F(Receive, FlashingLightsKeepNoPictures) {
  OrvaneLogger& w = start(ProgCfg{});
  auto* light = control<QPushButton>("BlinkData");
  const int limitKiB = QPixmapCache::cacheLimit();
  QPixmapCache::clear();
  QPixmapCache::setCacheLimit(16);
  QPixmap first(8, 8);
  first.fill(Qt::green);
  const QPixmapCache::Key firstKey = QPixmapCache::insert(first);
  for (int i = 0; i < 200; ++i) {
    serial.deliver(kGoodFrame);
    w.ScreenTimer_Timer();
    light->grab();
    w.Timer2_Timer();
    light->grab();
  }
  QPixmap found;
  EXPECT_TRUE(QPixmapCache::find(firstKey, &found));
  QPixmapCache::setCacheLimit(limitKiB);
}

// Frames that come faster than the screen refreshes are each taken, summed
// and plotted at once; the screen then shows the newest of them, and the
// data light blinks once for the refresh.
TEST_F(Receive, FramesBetweenRefreshesAreAllTakenAndTheNewestIsShown) {
  OrvaneLogger& w = start(loggingCfg());
  control<QCheckBox>("GraphDisplay")->setChecked(true);
  auto* plot = control<PictureBox>("GraphPlot");
  const size_t grid = plot->display().lines().size();
  const std::string last = "[<V>520</V><I>164</I><R>5</R><S>13</S><C>702</C>]";
  serial.deliver(kGoodFrame);
  serial.deliver(kGoodFrame);
  serial.deliver(last);
  EXPECT_EQ(plot->display().lines().size(), grid + 3);
  auto* comms = control<QLabel>("Label2");
  EXPECT_EQ(comms->text().toStdString(), " Waiting for COMM data");
  // A frame after another keeps the "[" the first one's "]" left behind.
  ASSERT_TRUE(waitUntil([&] { return comms->text().toStdString() == "[" + last; }, 10000));
  EXPECT_EQ(w.windowTitle().toStdString(), "Tamsel  13.00V 3.2A 42W");
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), QColor(255, 0, 0));
}

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
