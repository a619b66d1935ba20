// Frames taken from the line, and the port they come through.
#include <filesystem>
#include <functional>

#include "session_fixture.h"

namespace tamsel::test {
namespace {

using SessionFrames = SessionTest;

// The calibration with these dividers of volts and wind speed.
std::string settingsWith(const std::string& volts, const std::string& wind) {
  return "<VoltDivider>" + volts + "</VoltDivider><VoltOffset>100</VoltOffset>" +
         "<AmpDivider>20</AmpDivider><RPMDivider>1</RPMDivider><WSDivider>" + wind + "</WSDivider>";
}

// What a frame is told as, what it leaves in the error log (written only
// with messages on), and what the interval keeps of it: the interval held a
// good frame before it, and a failure part-way clears it, so the next record
// repeats the last one (none yet: zeros).
TEST_F(SessionFrames, AFrameIsToldReportedAndSummedAsItsKindAsks) {
  const std::string badSum = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]";
  const std::string noVolts = "error : Division by zero: VoltDivider is 0";
  const std::string noWind = "error : Division by zero: WSDivider is 0";
  const std::string checksum = "checksum error  ";
  // A frame after another keeps the "[" the first one's "]" left behind.
  const auto logged = [](const std::string& what, const std::string& frame) {
    return "2010_05_23  14:05:33  " + what + " <IM> [" + frame + "\r\n";
  };
  const auto failed = [](const std::string& what) { return what + "  " + what.substr(8); };
  const struct {
    std::string settings, frame;
    const char* dispMessages;
    Steps told;
    std::string errorLog, recordVolts;
  } cases[] = {
      {kSettingsCfg,
       badSum,
       "1",
       {"checksum mismatched", "error: " + checksum, "reading 12.5 V"},
       logged(checksum, badSum),
       "12.50"},
      {kSettingsCfg,
       badSum,
       "0",
       {"checksum mismatched", "error: " + checksum, "reading 12.5 V"},
       "<missing>",
       "12.50"},
      {settingsWith("0", "2"),
       kGoodFrame,
       "1",
       {"frame failed", "error: " + failed(noVolts)},
       logged(failed(noVolts), kGoodFrame),
       "0.00"},
      // Both reported, in order.
      {settingsWith("40", "0"),
       badSum,
       "1",
       {"checksum mismatched", "error: " + checksum, "frame failed", "error: " + failed(noWind)},
       logged(checksum, badSum) + logged(failed(noWind), badSum),
       "0.00"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(folder.file("errorlog.txt"));
    ProgCfg cfg = loggingCfg();
    cfg.dispMessages = c.dispMessages;
    clock.set({2010, 5, 23, 14, 5, 20});
    LoggerSession& s = start(cfg);
    serial.deliver(kGoodFrame);
    folder.write("settings.cfg", c.settings);
    ASSERT_TRUE(s.LoadConfiguration());
    clock.set({2010, 5, 23, 14, 5, 33});  // the good frame's watts are stale by now
    (void)steps.take();
    serial.deliver(c.frame);
    Steps told = c.told;
    told.insert(told.begin(), "frame");
    EXPECT_EQ(steps.take(), told) << c.frame;
    EXPECT_EQ(errorLog(), c.errorLog) << c.frame;
    s.Timer1_Timer();
    const Steps ticked = steps.take();
    ASSERT_GE(ticked.size(), 2u);
    EXPECT_EQ(ticked[ticked.size() - 2].find("record 2010-05-23T14:05:33 " + c.recordVolts + " V "),
              0u)
        << ticked[ticked.size() - 2];
  }
  // Without an anemometer the power scaled before the failure still counts.
  const double recounted = session().wattHours();         // the records of the cases before
  for (int i = 0; i < 18; ++i) session().Timer3_Timer();  // 40 W for 90 s
  EXPECT_NEAR(session().wattHours(), recounted + 1.0, 1e-9);
}

using SessionPort = SessionTest;

// Start-up makes the folders and the day's file and opens the port as
// prog.cfg says. Then each step of the port is told as it happens: lost
// (and reported), back by itself, released for a configuration window,
// opened again or not, closed at leaving, which happens once.
TEST_F(SessionPort, OpenedLostAndClosedAreToldAsTheyHappen) {
  LoggerSession& s = start();
  for (const char* name : {"logs", "excel", "html"}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder.file(name))) << name;
  }
  EXPECT_EQ(todayLog(), "");
  EXPECT_EQ(serial.commPort(), 3);
  EXPECT_EQ(serial.settings(), "9600,N,8,1");
  EXPECT_TRUE(s.isPortOpen());
  const struct {
    const char* what;
    std::function<void()> step;
    Steps told;
  } cases[] = {
      {"lost",
       [&] { serial.lose("device disconnected"); },
       {"port lost: device disconnected", "error: port not available  device disconnected"}},
      {"back", [&] { serial.restore(); }, {"port opened"}},
      {"released", [&] { s.releasePort(); }, {"port closed"}},
      {"missing",
       [&] { serial.availablePorts = {}, (void)s.openPort(); },
       {"port lost: The port does not exist"}},
      {"there again", [&] { serial.availablePorts = {3}, (void)s.openPort(); }, {"port opened"}},
      {"left", [&] { s.leave(); }, {"port closed", "left"}},
      {"left again", [&] { s.leave(); }, {}},
  };
  for (const auto& c : cases) {
    c.step();
    EXPECT_EQ(steps.take(), c.told) << c.what;
  }
  EXPECT_FALSE(serial.isOpen());
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_23 14:05  .0 Wh\r\n") << "written once";
}

}  // namespace
}  // namespace tamsel::test
