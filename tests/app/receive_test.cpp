// Frames as the window shows them, also in the live plot and after the
// calibration window has changed how they read.
#include <QCheckBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/picture_box.h"
#include "platform/twips.h"
#include "setup/calibrate.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

using Receive = MainWindowTest;

const std::string kLogPrefix = "2010_05_23  14:05:33  ";

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
  EXPECT_EQ(errorLog(), "<missing>");
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
  EXPECT_EQ(state().sums.frameCount, 3);
  EXPECT_EQ(plot->display().lines().size(), grid + 3);
  auto* comms = control<QLabel>("Label2");
  EXPECT_EQ(comms->text().toStdString(), " Waiting for COMM data");
  // A frame after another keeps the "[" the first one's "]" left behind.
  ASSERT_TRUE(waitUntil([&] { return comms->text().toStdString() == "[" + last; }, 10000));
  EXPECT_EQ(w.windowTitle().toStdString(), "Tamsel  13.00V 3.2A 42W");
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), QColor(255, 0, 0));
}

// The calibration with these dividers of volts and wind speed.
std::string settingsWith(const std::string& volts, const std::string& wind) {
  return "<VoltDivider>" + volts + "</VoltDivider><VoltOffset>100</VoltOffset>" +
         "<AmpDivider>20</AmpDivider><RPMDivider>1</RPMDivider><WSDivider>" + wind + "</WSDivider>";
}

// What a frame leaves in the error log (written only with messages on), on
// the comms and message lines and the caption, and in the interval's sums,
// which held one reading before it: a failure part-way clears them.
TEST_F(Receive, AFrameIsShownReportedAndSummedAsItsKindAsks) {
  const std::string badSum = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]";
  const std::string noVolts = "Division by zero: VoltDivider is 0";
  const std::string noWind = "Division by zero: WSDivider is 0";
  const std::string reading = "Tamsel  12.50V 3.2A 40W", waiting = "Tamsel - Waiting for Signal";
  const std::string trapped = "  Last Error trapped  14:05:33  ---  ";
  struct Case {
    std::string settings;
    const char* dispMessages;
    std::string frame, errorLog, commsLine, caption, messageLine;
    int summed;
  };
  const Case cases[] = {
      {kSettingsCfg, "1", badSum, kLogPrefix + "checksum error   <IM> " + badSum + "\r\n", badSum,
       reading, trapped + "checksum error  ", 2},
      {kSettingsCfg, "0", badSum, "<missing>", badSum, reading, trapped + "checksum error  ", 2},
      {settingsWith("0", "2"), "1", kGoodFrame,
       kLogPrefix + "error : " + noVolts + "  " + noVolts + " <IM> " + kGoodFrame + "\r\n",
       "program execution error : \r\n" + std::string(kGoodFrame), waiting,
       trapped + "error : " + noVolts + "  " + noVolts, 0},
      // Both reported, in order.
      {settingsWith("40", "0"), "1", badSum,
       kLogPrefix + "checksum error   <IM> " + badSum + "\r\n" + kLogPrefix + "error : " + noWind +
           "  " + noWind + " <IM> " + badSum + "\r\n",
       "program execution error : \r\n" + badSum, waiting,
       trapped + "error : " + noWind + "  " + noWind, 0},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder.file("errorlog.txt"));
    ProgCfg cfg = loggingCfg();
    cfg.dispMessages = c.dispMessages;
    start(cfg, c.settings.c_str());
    ASSERT_TRUE(state().sums.add(1, 1, 1, 1, 1));
    serial.deliver(c.frame);
    EXPECT_EQ(errorLog(), c.errorLog) << c.frame;
    EXPECT_EQ(commsLine(), c.commsLine);
    EXPECT_EQ(title(), c.caption);
    EXPECT_EQ(messageLine(), c.messageLine);
    EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));
    EXPECT_EQ(state().sums.frameCount, c.summed);
    if (c.summed == 0) {
      EXPECT_EQ(state().sums.volts, 0);
    }
  }
  // Without an anemometer the power scaled before the failure still counts.
  for (int i = 0; i < 18; ++i) window().Timer3_Timer();  // 40 W for 90 s
  EXPECT_NEAR(state().wattHours, 1.0, 1e-9);
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
