#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"

namespace tamsel::test {
namespace {

using Logging = MainWindowTest;

// Started by start-up (LogOn) or by a click, with the interval clamped, or not
// at all when it is no number; a click clears the sums and says why it did
// not start. Stopping unlocks the panel. The clamping rules themselves belong
// to the logging interval's own tests.
TEST_F(Logging, StartClampsTheIntervalOrRefusesItAndStopUnlocksThePanel) {
  struct Case {
    bool automatic;
    const char* delay;
    bool started;
    const char* shown;
    int periodMs;
  };
  const Case cases[] = {{true, "900", true, "600", 600000},
                        {true, "abc", false, "abc", 1000},
                        {false, "601", true, "600", 600000},
                        {false, "ten", false, "ten", 1000}};
  for (const Case& c : cases) {
    ProgCfg cfg;
    cfg.LogOn = c.automatic ? "1" : "0";
    cfg.LogDelay = c.automatic ? c.delay : "60";
    OrvaneLogger& w = start(cfg);
    ASSERT_TRUE(state().sums.add(1, 1, 1, 1, 1));
    if (!c.automatic) {
      control<QLineEdit>("delay")->setText(c.delay);
      w.StartLogging_Click();
      EXPECT_EQ(state().sums.frameCount, c.started ? 0 : 1) << c.delay;
    }
    EXPECT_EQ(state().loggingStarted, c.started) << c.delay;
    EXPECT_EQ(ticking(), c.started) << c.delay;
    EXPECT_EQ(control<QLineEdit>("delay")->text().toStdString(), c.shown);
    EXPECT_EQ(control<QTimer>("Timer1")->interval(), c.periodMs);
    EXPECT_EQ(control<QPushButton>("StopLogging")->isEnabled(), c.started);
    for (const char* name : {"StartLogging", "Setup", "CalibrateButton"}) {
      EXPECT_EQ(control<QPushButton>(name)->isEnabled(), !c.started) << name;
    }
    EXPECT_EQ(dialogs.messages,
              c.automatic || c.started
                  ? QStringList{}
                  : QStringList{"Invalid delay period, needs to be a number between 1 and 600"});
    dialogs.messages.clear();
    if (!c.started) continue;
    w.StopLogging_Click();
    EXPECT_FALSE(ticking());
    for (const char* name : {"delay", "StartLogging", "Setup", "CalibrateButton"}) {
      EXPECT_TRUE(control(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(control<QPushButton>("StopLogging")->isEnabled());
    const int summed = state().sums.frameCount;
    serial.deliver(kGoodFrame);  // neither summed nor arming the tick
    EXPECT_FALSE(ticking());
    EXPECT_EQ(state().sums.frameCount, summed);
  }
}

// The tick clears the sums itself, so each record averages its own interval;
// data rearms it, and an armed tick is not postponed.
TEST_F(Logging, EachTickWritesTheAverageOfItsIntervalAndDataRearmsIt) {
  OrvaneLogger& w = start(loggingCfg());
  const int armed = control<QTimer>("Timer1")->timerId();
  serial.deliver(kGoodFrame);
  serial.deliver("[<V>502</V><I>164</I><R>5</R><S>13</S><C>684</C>]");
  EXPECT_EQ(control<QTimer>("Timer1")->timerId(), armed);
  w.Timer1_Timer();
  const std::string first =
      "<T>14:05</T><V>12.53</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S><M></M>   .0Wh\r\n";
  EXPECT_EQ(todayLog(), first);
  EXPECT_FALSE(ticking());
  EXPECT_EQ(state().sums.frameCount, 0);
  EXPECT_EQ(backColour(control<QPushButton>("BlinkLog")), QColor(255, 0, 0));
  EXPECT_EQ(messageLine(), " Error trap message  -     ") << "no caution at 60 seconds";
  serial.deliver("[<V>520</V><I>164</I><R>5</R><S>13</S><C>702</C>]");  // 13.00 V
  EXPECT_TRUE(ticking());
  w.Timer1_Timer();
  EXPECT_EQ(todayLog().find(first + "<T>14:05</T><V>13.00</V>"), 0u) << todayLog();
  EXPECT_EQ(errorLog(), "<missing>");
}

TEST_F(Logging, ATickWithoutFramesRepeatsAndAWriteErrorStaysInView) {
  ProgCfg cfg = loggingCfg();
  cfg.LogDelay = "9.9";
  OrvaneLogger& w = start(cfg);
  w.Timer1_Timer();
  serial.deliver(kGoodFrame);
  w.Timer1_Timer();
  w.Timer1_Timer();
  EXPECT_EQ(todayLog(),
            "<T>14:05</T><V>.00</V><I>0.0</I><W>0.0</W><R>0</R><S>0</S><M></M>   .0Wh\r\n"
            "<T>14:05</T><V>12.50</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S><M></M>   .0Wh\r\n"
            "<T>14:05</T><V>12.50</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S><M></M>   .0Wh\r\n");
  const std::string noData =
      "2010_05_23  14:05:33   No valid data recieved : Logged previous data   <IM> ";
  EXPECT_EQ(errorLog(), noData + "\r\n" + noData + kGoodFrame + "\r\n");
  // The short-interval caution replaces the red report, keeping its colour.
  const std::string caution = "Caution Logging interval 2 short, Data Overflow may occur";
  EXPECT_EQ(messageLine(), caution);
  EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));

  // A record that cannot be written is reported, and stays in view over the
  // caution until a record is written again.
  std::filesystem::remove_all(folder.file("logs"));
  folder.write("logs", "a file where the folder should be");
  w.Timer1_Timer();
  EXPECT_NE(errorLog().find("  log file write error  "), std::string::npos) << errorLog();
  EXPECT_NE(messageLine().find("log file write error"), std::string::npos) << messageLine();
  EXPECT_FALSE(ticking());
  std::filesystem::remove(folder.file("logs"));
  std::filesystem::create_directory(folder.file("logs"));
  w.Timer1_Timer();
  EXPECT_EQ(messageLine(), caution);
}

// At midnight the energy tick writes the day's total and starts again, and
// the next logging tick writes the new day's files.
TEST_F(Logging, MidnightWritesTheDaysTotalAndTheNewDaysFiles) {
  ProgCfg cfg = loggingCfg();
  cfg.SaveExcel = "1";
  OrvaneLogger& w = start(cfg);
  serial.deliver(kGoodFrame);  // 40 W
  for (int i = 0; i < 18; ++i) w.Timer3_Timer();
  EXPECT_NEAR(state().wattHours, 1.0, 1e-9);
  clock.set({2010, 5, 24, 0, 0, 3});
  serial.deliver(kGoodFrame);
  w.Timer3_Timer();
  w.Timer3_Timer();
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_24,00:00  1.0 Wh\r\n");
  EXPECT_NEAR(state().wattHours, 80.0 / 720, 1e-9);
  w.Timer1_Timer();
  EXPECT_EQ(todayLog(), "");
  EXPECT_EQ(folder.read("logs/P_2010_05_24.txt"),
            "<T>00:00</T><V>12.50</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S><M></M>   .1Wh\r\n");
  EXPECT_NE(folder.read("excel/2010_05_24.xls"), "<missing>");
}

// The total grows only while the reading is fresh: a frame accepted within
// the last 10 s and the port open. The WattHours row follows it between
// frames, and midnight closes the day while the board is silent too.
TEST_F(Logging, EnergyIsCountedOnlyWhileTheReadingIsFresh) {
  OrvaneLogger& w = start(loggingCfg());
  const auto frame = [&] { serial.deliver("[<V>500</V><I>1100</I><R>5</R><S>13</S><C>1618</C>]"); };
  const auto at = [&](int second) {
    return [&, second] { clock.set({2010, 5, 23, 14, 5, second}); };
  };
  const struct {
    const char* what;
    std::function<void()> step;
    bool counts;  // 625 W for one tick
  } steps[] = {
      {"a frame", frame, true},
      {"10 s after it", at(43), true},
      {"11 s after it", at(44), false},
      {"frames again", frame, true},
      {"the port lost", [&] { serial.lose("gone"); }, false},
      {"the port back, no frame since", [&] { serial.restore(); }, false},
      {"a frame after it", frame, true},
      {"the port closed", [&] { serial.close(); }, false},
  };
  double total = 0;
  for (const auto& s : steps) {
    s.step();
    w.Timer3_Timer();
    if (s.counts) total += 625.0 / 720;
    EXPECT_NEAR(state().wattHours, total, 1e-9) << s.what;
    EXPECT_EQ(listColumn(1).at(kWattHoursRow), wattHoursText(total)) << s.what;
  }
  clock.set({2010, 5, 24, 0, 0, 3});
  w.Timer3_Timer();
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_24,00:00  3.5 Wh\r\n");
  EXPECT_EQ(state().wattHours, 0);
}

// Closing by the frame does what Exit does, and the two together write the total once.
TEST_F(Logging, ExitOrClosingWritesTheTotalOnceAndClosesThePort) {
  for (const bool exitFirst : {false, true}) {
    OrvaneLogger& w = start();
    std::filesystem::remove(folder.file("logs/Whours.txt"));
    clock.set({2010, 5, 23, 17, 42, 0});
    if (exitFirst) w.Exit_Click();
    w.close();
    EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_23 17:42  .0 Wh\r\n") << exitFirst;
    EXPECT_FALSE(serial.isOpen()) << exitFirst;
  }
}

}  // namespace
}  // namespace tamsel::test
