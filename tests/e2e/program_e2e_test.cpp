// The real program in a program folder of its own, fed by the board
// simulator through a pseudo-terminal; kept to one program per folder, and
// its command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <regex>

#include "e2e/harness.h"
#include "e2e/record_check.h"
#include "web/web_settings.h"

namespace tamsel::e2e {
namespace {

namespace fs = std::filesystem;

const ChildEnvironment kNoDisplay{.display = false};
// The day's watt-hours line that leaving writes, its total caught.
const std::regex kWattHoursLine(R"(\d{4}_\d\d_\d\d \d\d:\d\d  (\d*\.\d) Wh)");

// Headless, with no display at all: the same logger as the window's, which a
// service stops with SIGTERM. Frames come split, paired, with garbage bytes
// between them and a bad checksum now and then, and a long run with no
// bracket at all comes once the program reads.
TEST(ProgramEndToEnd, RecordsAverageWhatTheBoardSentAndFeedThePageFilesAndErrorLog) {
  ProgramRun run;
  const int port = run.configure(2, [](ProgramConfig& config) {
    config.Savehtml = "1";
    config.SaveExcel = "1";
  });
  run.write("html/template.asp", "<html>Volts <VV> at <TT></html>");
  WebConfig web;
  web.Enabled = "0";
  run.write("web.cfg", webConfigText(web));
  ASSERT_TRUE(
      run.startBoard(port, {"--rate", "10", "--seed", "11", "--bad-checksum-every", "4", "--split",
                            "--pair", "--garbage-every", "3", "--no-bracket-run", "1048576"}));
  ASSERT_TRUE(run.startProgram({"--headless"}, kNoDisplay));

  // Frames planned after the run are only sent once the whole run went out.
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
  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0) << run.read("program-output.txt");
  run.board().stop();
  // What runs is told once, on standard error: here, with no dashboard.
  const std::string output = run.read("program-output.txt");
  EXPECT_NE(output.find("Tamsel logging from " + run.folder() + ": port " + std::to_string(port) +
                        " (com" + std::to_string(port) + " -> /dev/pts/"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("; logging every 1 s; dashboard off (Enabled is not 1 in web.cfg)\n"),
            std::string::npos)
      << output;

  const auto lines = run.recordLines();
  std::vector<RecordValues> records;
  for (size_t k = recordsAfterRun; k < lines.size(); ++k) {
    const auto record = parseRecord(lines[k]);
    ASSERT_TRUE(record) << "not a record: " << lines[k];
    records.push_back(*record);
  }
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(placeRecordsOnRuns(records, run.sentFrames()), "") << dump(lines);
  // The day's total only grows; at midnight it starts again, so a run that
  // passed midnight is not judged.
  if (run.filesMatching("logs", R"(P_\d{4}_\d\d_\d\d\.txt)").size() == 1) {
    EXPECT_EQ(wattHoursFall(records), "") << dump(lines);
  }
  EXPECT_FALSE(run.lines("logs/P_" + todayStamp() + ".txt").empty()) << "today's log";
  const auto errors = run.lines("errorlog.txt");
  ASSERT_GT(linesHolding(errors, "checksum error"), 0u) << dump(errors);
  EXPECT_EQ(errors.front().substr(0, 10), todayStamp());
  EXPECT_EQ(linesHolding(errors, "  error : "), 0u) << dump(errors);
  // Each checksum error is logged with the bad frame the board sent, after
  // what the buffer kept before it: a "[", or the tail of a long run.
  const auto sent = run.sentFrames();
  const std::regex badFrame(
      R"(^\d{4}_\d\d_\d\d  \d\d:\d\d:\d\d  checksum error   <IM> \[.*(\[<V>.*\])$)");
  for (const auto& line : errors) {
    std::smatch m;
    if (line.find("checksum error") == std::string::npos) continue;
    ASSERT_TRUE(std::regex_match(line, m, badFrame)) << line;
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(),
                            [&](const auto& f) { return f.badChecksum && f.text == m[1]; }))
        << "not a bad frame the board sent: " << line;
  }
  // Leaving writes the day's total, which no record can have passed.
  const auto leaving = run.lines("logs/Whours.txt");
  std::smatch total;
  ASSERT_TRUE(!leaving.empty() && std::regex_match(leaving.back(), total, kWattHoursLine))
      << dump(leaving);
  EXPECT_GE(std::stod(total[1]) + 0.05, records.back().wattHours);

  // Their shapes are the log files' own tests'; here the day's files are written.
  EXPECT_NE(run.read("html/log.asp"), "");
  EXPECT_FALSE(run.filesMatching("html", R"(history\d\d_\d\d_\d{4}\.txt)").empty());
  EXPECT_FALSE(run.filesMatching("excel", R"(\d{4}_\d\d_\d\d\.xls)").empty());
}

// How often the error log holds `part`.
size_t logged(const ProgramRun& run, const std::string& part) {
  return linesHolding(run.lines("errorlog.txt"), part);
}

// A named pipe where today's file belongs held start-up in open() for ever,
// beyond the reach of SIGTERM. A second program on the folder is turned away,
// and one killed leaves no lock behind.
TEST(InstalledEndToEnd, ANamedPipeIsRefusedOneProgramHoldsTheFolderAndAHangUpLeavesAsExitDoes) {
  ProgramRun run;
  const int port = run.configure(5, [](ProgramConfig& config) { config.Port = "0"; });
  fs::create_directories(run.file("logs"));
  const std::string today = "logs/P_" + todayStamp() + ".txt";
  ASSERT_EQ(::mkfifo(run.file(today).c_str(), 0644), 0);
  const std::string waiting = "No port to listen on";
  ASSERT_TRUE(run.startProgram({"--headless"}, kNoDisplay));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return logged(run, waiting) == 1; }))
      << run.read("program-output.txt");
  EXPECT_EQ(logged(run, today + " cannot be read: a named pipe, not a regular file"), 1u)
      << run.read("errorlog.txt");

  ChildProcess second;
  ASSERT_TRUE(second.start({run.file("tamsel"), "--headless"}, run.file("second.txt"), kNoDisplay));
  EXPECT_EQ(second.exitStatus(), 3);  // its own status: a service must not retry
  EXPECT_NE(run.read("second.txt")
                .find("is in use by another Tamsel (process " +
                      std::to_string(run.program().pid()) + ")"),
            std::string::npos)
      << run.read("second.txt");

  // Started again with its standard streams closed: its own descriptors
  // took their numbers, and its first message to standard error was read as
  // SIGTERM. Closing its terminal (SIGHUP) ended it without the watt-hours line.
  run.program().stop(SIGKILL, 2000);
  fs::remove(run.file(today));
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10"}));
  ASSERT_TRUE(run.startProgram({"--headless"}, {.display = false, .streamsClosed = true}));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return logged(run, waiting) == 2; }))
      << run.read("errorlog.txt");
  run.configure(5);  // its port, read again at the next try
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !run.recordLines().empty(); }))
      << run.read("errorlog.txt");
  ::kill(run.program().pid(), SIGHUP);
  EXPECT_EQ(run.program().exitStatus(), 0);
  const auto total = run.lines("logs/Whours.txt");
  ASSERT_FALSE(total.empty());
  EXPECT_TRUE(std::regex_match(total.back(), kWattHoursLine)) << total.back();
}

// The folder errors' wording is the program folder table's.
TEST(InstalledEndToEnd, ABadCommandLineEndsWithStatusTwoAndWritesNothing) {
  ProgramRun run;
  ASSERT_TRUE(run.startProgram({"--bogus"}, kNoDisplay));
  EXPECT_EQ(run.program().exitStatus(), 2);
  const std::string output = run.read("program-output.txt");
  EXPECT_EQ(output.find("tamsel: unknown option: --bogus\n\nUsage: tamsel"), 0u) << output;
  for (const char* named : {"web.cfg", "mqtt.cfg", "alarm.cfg", "man tamsel"}) {
    EXPECT_NE(output.find(named), std::string::npos) << "the usage does not name " << named;
  }
  EXPECT_FALSE(fs::exists(run.file("errorlog.txt")));
  EXPECT_FALSE(fs::exists(run.file("logs")));
}

}  // namespace
}  // namespace tamsel::e2e
