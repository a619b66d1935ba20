// Logging started and stopped, the records of each tick, and the day's energy.
#include <filesystem>
#include <functional>

#include "session_fixture.h"
#include "telemetry/live_display.h"

namespace tamsel::test {
namespace {

using SessionLogging = SessionTest;

// Started by start-up (LogOn) or by the user, with the interval clamped, or
// not at all when it is no number. Once stopped, frames neither count nor
// arm the tick; starting again clears what the interval had summed. The
// clamping rules themselves belong to the logging interval's own tests.
TEST_F(SessionLogging, StartClampsTheIntervalOrRefusesItAndStopEndsTheInterval) {
  const struct {
    bool automatic;
    const char* delay;
    bool started;
    const char* kept;
    int periodMs;
  } cases[] = {{true, "900", true, "600", 600000},
               {true, "abc", false, "abc", 1000},
               {false, "601", true, "600", 600000},
               {false, "ten", false, "ten", 1000}};
  for (const auto& c : cases) {
    ProgCfg cfg;
    cfg.LogOn = c.automatic ? "1" : "0";
    cfg.LogDelay = c.automatic ? c.delay : "60";
    LoggerSession& s = start(cfg);
    if (!c.automatic) {
      s.setIntervalText(c.delay);
      EXPECT_EQ(s.startLogging(), c.started) << c.delay;
    }
    EXPECT_EQ(s.isLogging(), c.started) << c.delay;
    EXPECT_EQ(loggingTick().isActive(), c.started) << c.delay;
    EXPECT_EQ(s.intervalText(), c.kept);
    EXPECT_EQ(loggingTick().interval(), c.periodMs);
    if (!c.started) continue;
    serial.deliver(kGoodFrame);
    s.stopLogging();
    EXPECT_FALSE(loggingTick().isActive());
    serial.deliver(kGoodFrame);
    EXPECT_FALSE(loggingTick().isActive());
    ASSERT_TRUE(s.startLogging());
    s.Timer1_Timer();
    Steps told = {"frame",
                  "reading 12.5 V",
                  "logging off",
                  "frame",
                  "reading 12.5 V",
                  "logging on",
                  "error:  No valid data recieved : Logged previous data  ",
                  "record 2010-05-23T14:05:33 0.00 V 0.0 A 0 W 0 RPM 0, 0.0 Wh",
                  "ticked"};
    if (!c.automatic) told.insert(told.begin(), "logging on");
    EXPECT_EQ(steps.take(), told) << c.delay;
  }
}

// The tick clears the sums itself, so each record averages its own
// interval; data rearms it, and an armed tick is not postponed. A tick
// without frames repeats the last record and says so; a record that cannot
// be written is reported and is not told as written.
TEST_F(SessionLogging, EachTickWritesTheAverageOfItsIntervalOrRepeatsTheLast) {
  ProgCfg cfg = loggingCfg();
  cfg.dispMessages = "1";
  LoggerSession& s = start(cfg);
  const int armed = loggingTick().timerId();
  const std::string volts502 = "[<V>502</V><I>164</I><R>5</R><S>13</S><C>684</C>]";
  serial.deliver(kGoodFrame);
  serial.deliver(volts502);
  EXPECT_EQ(loggingTick().timerId(), armed);
  s.Timer1_Timer();
  EXPECT_FALSE(loggingTick().isActive());
  s.Timer1_Timer();
  serial.deliver("[<V>520</V><I>164</I><R>5</R><S>13</S><C>702</C>]");  // 13.00 V
  EXPECT_TRUE(loggingTick().isActive());
  s.Timer1_Timer();
  const std::string averaged = "<T>14:05</T><V>12.53</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S>";
  EXPECT_EQ(todayLog(), averaged + "<M></M>   .0Wh\r\n" + averaged +
                            "<M></M>   .0Wh\r\n<T>14:05</T><V>13.00</V><I>3.2</I><W>42.0</W>"
                            "<R>300</R><S>7</S><M></M>   .0Wh\r\n");
  EXPECT_EQ(errorLog(),
            "2010_05_23  14:05:33   No valid data recieved : Logged previous data   <IM> [" +
                volts502 + "\r\n");

  std::filesystem::remove_all(folder.file("logs"));
  folder.write("logs", "a file where the folder should be");
  (void)steps.take();
  s.Timer1_Timer();
  const Steps failed = steps.take();  // no data, and the record not written
  ASSERT_EQ(failed.size(), 3u);
  EXPECT_EQ(failed[1].find("error: log file write error  "), 0u) << failed[1];
  EXPECT_EQ(failed[2], "ticked, not written");
}

// At midnight the energy tick writes the day's total and starts again, and
// the next logging tick writes the new day's files.
TEST_F(SessionLogging, MidnightWritesTheDaysTotalAndTheNewDaysFiles) {
  ProgCfg cfg = loggingCfg();
  cfg.SaveExcel = "1";
  LoggerSession& s = start(cfg);
  serial.deliver(kGoodFrame);  // 40 W
  for (int i = 0; i < 18; ++i) s.Timer3_Timer();
  EXPECT_NEAR(s.wattHours(), 1.0, 1e-9);
  clock.set({2010, 5, 24, 0, 0, 3});
  serial.deliver(kGoodFrame);
  s.Timer3_Timer();
  s.Timer3_Timer();
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_24,00:00  1.0 Wh\r\n");
  EXPECT_NEAR(s.wattHours(), 80.0 / 720, 1e-9);
  s.Timer1_Timer();
  EXPECT_EQ(todayLog(), "");
  EXPECT_EQ(folder.read("logs/P_2010_05_24.txt"),
            "<T>00:00</T><V>12.50</V><I>3.2</I><W>40.0</W><R>300</R><S>7</S><M></M>   .1Wh\r\n");
  EXPECT_NE(folder.read("excel/2010_05_24.xls"), "<missing>");
}

// The total grows only while the reading is fresh: a frame accepted within
// the last 10 s and the port open. Midnight closes the day while the board
// is silent too.
TEST_F(SessionLogging, EnergyIsCountedOnlyWhileTheReadingIsFresh) {
  LoggerSession& s = start(loggingCfg());
  const auto frame = [&] { serial.deliver("[<V>500</V><I>1100</I><R>5</R><S>13</S><C>1618</C>]"); };
  const auto at = [&](int second) {
    return [&, second] { clock.set({2010, 5, 23, 14, 5, second}); };
  };
  const struct {
    const char* what;
    std::function<void()> step;
    bool counts;  // 625 W for one tick
  } cases[] = {
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
  for (const auto& c : cases) {
    c.step();
    (void)steps.take();
    s.Timer3_Timer();
    if (c.counts) total += 625.0 / 720;
    EXPECT_NEAR(s.wattHours(), total, 1e-9) << c.what;
    EXPECT_EQ(steps.take(), c.counts ? Steps{"Wh counted"} : Steps{}) << c.what;
  }
  clock.set({2010, 5, 24, 0, 0, 3});
  s.Timer3_Timer();
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_24,00:00  3.5 Wh\r\n");
  EXPECT_EQ(s.wattHours(), 0);
}

}  // namespace
}  // namespace tamsel::test
