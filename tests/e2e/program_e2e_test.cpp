// The real program in a program folder of its own, fed by the board
// simulator through a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <regex>
#include <thread>

#include "e2e/harness.h"
#include "e2e/record_check.h"
#include "support/pseudo_terminal.h"

namespace tamsel::e2e {
namespace {

using std::chrono::seconds;

constexpr char kDateTime[] = R"(\d{4}_\d\d_\d\d  \d\d:\d\d:\d\d  )";

size_t countMatching(const std::vector<std::string>& lines, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<size_t>(std::count_if(
      lines.begin(), lines.end(), [&](const std::string& l) { return std::regex_search(l, re); }));
}

// The day's total only grows; at midnight it starts again, so a run that
// passed midnight is not judged.
std::string wattHoursFallWithinADay(const ProgramRun& run,
                                    const std::vector<RecordValues>& records) {
  const bool oneDay = run.filesMatching("logs", R"(P_\d{4}_\d\d_\d\d\.txt)").size() == 1;
  return oneDay ? wattHoursFall(records) : "";
}

// The frame text of an error log line, after its " <IM> ", without the "["
// that a logger keeps from the frame before.
std::string loggedFrame(const std::string& line) {
  const size_t at = line.find(" <IM> ");
  if (at == std::string::npos) return {};
  std::string frame = line.substr(at + 6);
  frame.erase(0, frame.find_first_not_of('['));
  return "[" + frame;
}

TEST(ProgramEndToEnd, BadChecksumIsWrittenToTheErrorLogWithItsFrame) {
  ProgramRun run;
  const int port = test::uniquePortNumber(1);
  run.writeProgCfg(runConfig(port));
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10", "--bad-checksum-every", "4"}));
  ASSERT_TRUE(run.startProgram());

  ASSERT_TRUE(ProgramRun::waitFor([&] {
    return run.read("errorlog.txt").find("checksum error") != std::string::npos;
  })) << run.read("program-output.txt");
  const auto lines = run.lines("errorlog.txt");
  ASSERT_FALSE(lines.empty()) << "every line ends with CR LF";
  const std::regex shape(std::string("^") + kDateTime + R"(checksum error   <IM> \[+<V>.*\]$)");
  const auto sent = run.sentFrames();
  for (const auto& line : lines) {
    ASSERT_TRUE(std::regex_match(line, shape)) << line;
    const std::string frame = loggedFrame(line);
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(),
                            [&](const auto& f) { return f.badChecksum && f.text == frame; }))
        << "not a bad frame the board sent: " << frame;
  }
  EXPECT_EQ(lines.front().substr(0, 10), todayStamp());
}

TEST(ProgramEndToEnd, PortWithNoDeviceIsReportedAsNotAvailable) {
  ASSERT_FALSE(std::filesystem::exists("/dev/ttyS249"));
  ProgramRun run;
  run.writeProgCfg(runConfig(250));  // no com250 in the folder, no /dev/ttyS249
  ASSERT_TRUE(run.startProgram());

  // The program then waits on its port-problem message box.
  ASSERT_TRUE(ProgramRun::waitFor([&] { return !run.lines("errorlog.txt").empty(); }))
      << run.read("program-output.txt");
  const auto lines = run.lines("errorlog.txt");
  EXPECT_TRUE(std::regex_match(
      lines.front(), std::regex(std::string("^") + kDateTime + R"(port not available  .+ <IM> $)")))
      << lines.front();
  EXPECT_TRUE(run.program().running());
}

// Headless, with no display at all: the same logger as the window's, which a
// service stops with SIGTERM.
TEST(ProgramEndToEnd, RecordsAverageWhatTheBoardSentAndFeedThePageAndSheet) {
  ProgramRun run;
  const int port = test::uniquePortNumber(2);
  ProgramConfig config = runConfig(port);
  config.LogOn = "1";
  config.Savehtml = "1";
  config.SaveExcel = "1";
  run.writeProgCfg(config);
  run.write("html/template.asp", "<html>Volts <VV> at <TT></html>");
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10", "--seed", "11"}));
  ASSERT_TRUE(run.startProgram({"--headless"}, {.display = false, .extra = {}}));

  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= 4; }))
      << run.read("program-output.txt");
  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0) << run.read("program-output.txt");
  run.board().stop();

  std::vector<RecordValues> records;
  std::vector<double> recordVolts;
  for (const auto& line : run.recordLines()) {
    const auto record = parseRecord(line);
    ASSERT_TRUE(record) << "not a record: " << line;
    if (record->volts == 0 && records.empty()) continue;  // a tick before any frame
    records.push_back(*record);
    recordVolts.push_back(record->volts);
  }
  EXPECT_GE(records.size(), 3u);
  EXPECT_EQ(placeRecordsOnRuns(records, run.sentFrames()), "") << dump(run.recordLines());
  EXPECT_EQ(wattHoursFallWithinADay(run, records), "") << dump(run.recordLines());
  EXPECT_FALSE(run.lines("logs/P_" + todayStamp() + ".txt").empty()) << "today's log";
  // Leaving writes the day's total, which no record can have passed.
  const auto leaving = run.lines("logs/Whours.txt");
  std::smatch total;
  ASSERT_TRUE(!leaving.empty() &&
              std::regex_match(leaving.back(), total,
                               std::regex(R"(\d{4}_\d\d_\d\d \d\d:\d\d  (\d*\.\d) Wh)")))
      << dump(leaving);
  EXPECT_GE(std::stod(total[1]) + 0.05, records.back().wattHours);

  const std::string page = run.read("html/log.asp");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(
      page, m, std::regex(R"(^<html>Volts (\d+\.\d\d) at \d\d:\d\d:\d\d</html>\r\n$)")))
      << page;
  EXPECT_NE(std::find(recordVolts.begin(), recordVolts.end(), std::stod(m[1])), recordVolts.end());

  const auto history = run.filesMatching("html", R"(history\d\d_\d\d_\d{4}\.txt)");
  ASSERT_FALSE(history.empty());
  const auto historyLines = run.lines(history.back());
  ASSERT_FALSE(historyLines.empty());
  EXPECT_TRUE(std::regex_match(
      historyLines.front(),
      std::regex(
          R"(^\d+\.\d\dV\t\t\d+\.\dA\t\t\d+W\t\t\d+RPM\t\t\d+(\.\d+)?mph\t\t\t\t\d\d:\d\d:\d\d$)")))
      << historyLines.front();

  const auto sheets = run.filesMatching("excel", R"(\d{4}_\d\d_\d\d\.xls)");
  ASSERT_FALSE(sheets.empty());
  const std::string sheet = run.read(sheets.back());
  const std::string header =
      "<html><body><table><tr><td><b>Volts</b></td><td><b>Amps</b></td><td><b>Watts</b></td>"
      "<td><b>RPM</b></td><td><b>mph</b></td><td><b>Mode</b></td><td><b>Time</b></td></tr>"
      "\r\n\r\n";
  ASSERT_EQ(sheet.substr(0, header.size()), header);
  EXPECT_TRUE(std::regex_search(
      sheet, std::regex(R"(\r\n\r\n<tr><td>\d+\.\d\d</td><td>\d+\.\d</td><td>\d+</td><td>\d+</td>)"
                        R"(<td>\d+(\.\d+)?</td><td></td><td>\d\d:\d\d:\d\d</td></tr>\r\n\r\n)")))
      << sheet;
}

TEST(ProgramEndToEnd, UnpluggedBoardIsReportedOnceWithoutBusyLoopAndLoggingResumes) {
  ProgramRun run;
  const int port = test::uniquePortNumber(3);
  ProgramConfig config = runConfig(port);
  config.LogOn = "1";
  run.writeProgCfg(config);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "8"}));
  ASSERT_TRUE(run.startProgram());
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= 2; }))
      << run.read("program-output.txt");

  // Pulled out: no goodbye, and its device node gone with it.
  run.board().stop(SIGKILL);
  ASSERT_TRUE(test::linkToMissingDevice(run.file("com" + std::to_string(port))));
  const std::string portLost = "  port not available  ";
  ASSERT_TRUE(ProgramRun::waitFor(
      [&] { return countMatching(run.lines("errorlog.txt"), portLost) > 0; }, seconds(5)))
      << dump(run.lines("errorlog.txt"));
  const double cpuBefore = run.program().cpuSeconds();
  std::this_thread::sleep_for(seconds(3));
  const double cpuUsed = run.program().cpuSeconds() - cpuBefore;
  ASSERT_GE(cpuBefore, 0);
  EXPECT_LT(cpuUsed, 0.5) << "busy while the board is away";
  EXPECT_TRUE(run.program().running());

  const size_t recordsBefore = run.recordLines().size();
  ASSERT_TRUE(run.startBoard(port, {"--rate", "8", "--seed", "2"}));
  EXPECT_TRUE(
      ProgramRun::waitFor([&] { return run.recordLines().size() > recordsBefore; }, seconds(8)))
      << "logging did not resume";
  const auto errors = run.lines("errorlog.txt");
  ASSERT_EQ(countMatching(errors, portLost), 1u) << dump(errors);
  const std::regex shape(std::string("^") + kDateTime + "port not available  .+ <IM> .*$");
  for (const auto& line : errors) {
    if (line.find(portLost) != std::string::npos) {
      EXPECT_TRUE(std::regex_match(line, shape)) << line;
    }
  }
}

TEST(ProgramEndToEnd, GarbageBinaryBytesLongRunsAndSplitOrPairedFramesKeepItLogging) {
  ProgramRun run;
  const int port = test::uniquePortNumber(4);
  ProgramConfig config = runConfig(port);
  config.LogOn = "1";
  run.writeProgCfg(config);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "8", "--split", "--pair", "--garbage-every", "3",
                                    "--no-bracket-run", "1048576", "--seed", "5"}));
  ASSERT_TRUE(run.startProgram());

  // The run goes once the program reads, and frames planned after it are
  // only sent once the whole run went out.
  const auto framesAfterRun = [&]() -> size_t {
    const std::string log = run.read("sent.txt");
    size_t at = log.find("\nrun\t");
    if (at == std::string::npos) return 0;
    size_t frames = 0;
    while ((at = log.find("\n[", at + 1)) != std::string::npos) ++frames;
    return frames;
  };
  ASSERT_TRUE(ProgramRun::waitFor([&] { return framesAfterRun() >= 10; }))
      << "the program did not take the long run";
  const size_t recordsAfterRun = run.recordLines().size();
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= recordsAfterRun + 3; }))
      << run.read("program-output.txt");
  EXPECT_TRUE(run.program().running());
  run.program().stop();
  run.board().stop();

  std::vector<RecordValues> records;
  const auto lines = run.recordLines();
  for (size_t k = recordsAfterRun; k < lines.size(); ++k) {
    const auto record = parseRecord(lines[k]);
    ASSERT_TRUE(record) << lines[k];
    records.push_back(*record);
  }
  EXPECT_EQ(placeRecordsOnRuns(records, run.sentFrames()), "") << dump(lines);
  EXPECT_EQ(wattHoursFallWithinADay(run, records), "") << dump(lines);
  const auto errors = run.lines("errorlog.txt");
  EXPECT_EQ(countMatching(errors, "checksum error|  error : "), 0u) << dump(errors);
}

}  // namespace
}  // namespace tamsel::e2e
