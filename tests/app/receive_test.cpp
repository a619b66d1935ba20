#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"

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
  EXPECT_EQ(control<QLabel>("Label2")->text().toStdString(), kGoodFrame);
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), QColor(255, 0, 0));
  EXPECT_TRUE(control<QTimer>("Timer2")->isActive());
  w.Timer2_Timer();
  EXPECT_EQ(backColour(control<QPushButton>("BlinkData")), buttonFace());
  EXPECT_FALSE(control<QTimer>("Timer2")->isActive());
  // A frame that is dropped changes nothing but is shown; the buffer keeps
  // the "[" that starts the next one.
  serial.deliver("<V>0</V><I>1</I><R>1</R><S>1</S><C>3</C>]");
  EXPECT_EQ(control<QLabel>("Label2")->text().toStdString(),
            "[<V>0</V><I>1</I><R>1</R><S>1</S><C>3</C>]");
  serial.deliver("<I>1</I>]");
  EXPECT_EQ(control<QLabel>("Label2")->text().toStdString(), "[<I>1</I>]");
  EXPECT_EQ(listColumn(1)[0], "12.50");
  EXPECT_EQ(title(), "Tamsel  12.50V 3.2A 40W");
  EXPECT_EQ(errorLog(), "<missing>");
}

// The error log is written only with messages on; the line turns red either way.
TEST_F(Receive, ChecksumMismatchIsReportedAndTheReadingStillShown) {
  const std::string frame = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>999</C>]";
  for (const char* messages : {"1", "0"}) {
    std::filesystem::remove(folder.file("errorlog.txt"));
    ProgCfg cfg;
    cfg.dispMessages = messages;
    start(cfg);
    serial.deliver(frame);
    EXPECT_EQ(errorLog(), *messages == '1' ? kLogPrefix + "checksum error   <IM> " + frame + "\r\n"
                                           : "<missing>");
    EXPECT_EQ(messageLine(), "  Last Error trapped  14:05:33  ---  checksum error  ");
    EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));
    EXPECT_EQ(title(), "Tamsel  12.50V 3.2A 40W");
  }
}

TEST_F(Receive, ADecodingFailureShowsTheFrameAndClearsTheSums) {
  ProgCfg cfg = loggingCfg();
  start(cfg,
        "<VoltDivider>0</VoltDivider><VoltOffset>100</VoltOffset>"
        "<AmpDivider>20</AmpDivider><RPMDivider>1</RPMDivider>"
        "<WSDivider>2</WSDivider>");
  ASSERT_TRUE(state().sums.add(1, 1, 1, 1, 1));
  serial.deliver(kGoodFrame);
  EXPECT_EQ(control<QLabel>("Label2")->text().toStdString(),
            std::string("program execution error : \r\n") + kGoodFrame);
  EXPECT_EQ(state().sums.frameCount, 0);
  EXPECT_EQ(state().sums.volts, 0);
  const std::string why = "Division by zero: VoltDivider is 0";
  EXPECT_EQ(errorLog(),
            kLogPrefix + "error : " + why + "  " + why + " <IM> " + kGoodFrame + "\r\n");
  EXPECT_EQ(title(), "Tamsel - Waiting for Signal");
}

TEST_F(Receive, DataRearmsTheLoggingTickOnlyWhileLogging) {
  OrvaneLogger& w = start();
  serial.deliver(kGoodFrame);
  EXPECT_FALSE(control<QTimer>("Timer1")->isActive());
  EXPECT_EQ(state().sums.frameCount, 0);
  control<QLineEdit>("delay")->setEnabled(true);
  w.StartLogging_Click();
  const int armed = control<QTimer>("Timer1")->timerId();
  serial.deliver(kGoodFrame);
  EXPECT_EQ(control<QTimer>("Timer1")->timerId(), armed) << "an armed tick is not postponed";
  control<QTimer>("Timer1")->stop();  // as after a tick
  serial.deliver(kGoodFrame);
  EXPECT_TRUE(control<QTimer>("Timer1")->isActive());
  EXPECT_EQ(state().sums.frameCount, 2);
  w.StopLogging_Click();
  serial.deliver(kGoodFrame);
  EXPECT_FALSE(control<QTimer>("Timer1")->isActive());
}

TEST_F(Receive, ALostPortIsReportedWithoutAskingTheUser) {
  start();
  emit serial.lost("device disconnected (gone)");
  EXPECT_EQ(errorLog(), kLogPrefix + "port not available  device disconnected (gone) <IM> \r\n");
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_EQ(dialogs.modalCount, 0);
  emit serial.restored();
  serial.deliver(kGoodFrame);
  EXPECT_EQ(title(), "Tamsel  12.50V 3.2A 40W");
}

// Without an anemometer (WSDivider 0) the power scaled before the failure still counts.
TEST_F(Receive, AChecksumErrorThenAFailureAreReportedInOrderAndThePowerStillCounts) {
  OrvaneLogger& w =
      start({},
            "<VoltDivider>40</VoltDivider><VoltOffset>100</VoltOffset><AmpDivider>20</AmpDivider>"
            "<RPMDivider>1</RPMDivider><WSDivider>0</WSDivider>");
  const std::string frame = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]";
  serial.deliver(frame);
  const std::string why = "Division by zero: WSDivider is 0";
  EXPECT_EQ(errorLog(), kLogPrefix + "checksum error   <IM> " + frame + "\r\n" + kLogPrefix +
                            "error : " + why + "  " + why + " <IM> " + frame + "\r\n");
  for (int i = 0; i < 18; ++i) w.Timer3_Timer();  // 40 W for 90 s
  EXPECT_NEAR(state().wattHours(), 1.0, 1e-9);
}

}  // namespace
}  // namespace tamsel::test
