// The real program in a program folder of its own, fed by the board
// simulator through a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <regex>

#include "e2e/harness.h"
#include "e2e/record_check.h"

namespace tamsel::e2e {
namespace {

constexpr char kDateTime[] = R"(\d{4}_\d\d_\d\d  \d\d:\d\d:\d\d  )";

// The day's total only grows; at midnight it starts again, so a run that
// passed midnight is not judged.
std::string wattHoursFallWithinADay(const ProgramRun& run,
                                    const std::vector<RecordValues>& records) {
  const bool oneDay = run.filesMatching("logs", R"(P_\d{4}_\d\d_\d\d\.txt)").size() == 1;
  return oneDay ? wattHoursFall(records) : "";
}

// Every record from line `from` on, parsed; a line that is none fails the test.
std::vector<RecordValues> recordsFrom(const std::vector<std::string>& lines, size_t from) {
  std::vector<RecordValues> records;
  for (size_t k = from; k < lines.size(); ++k) {
    const auto record = parseRecord(lines[k]);
    EXPECT_TRUE(record) << "not a record: " << lines[k];
    if (record) records.push_back(*record);
  }
  return records;
}

// Each checksum error is logged with the bad frame the board sent, after
// what the buffer kept before it: a "[", or the tail of a long run.
void expectChecksumErrorsOfBadFrames(const ProgramRun& run) {
  const auto sent = run.sentFrames();
  const std::regex shape(std::string("^") + kDateTime +
                         R"(checksum error   <IM> \[.*(\[<V>.*\])$)");
  const auto lines = run.lines("errorlog.txt");
  ASSERT_GT(linesHolding(lines, "checksum error"), 0u) << dump(lines);
  for (const auto& line : lines) {
    std::smatch m;
    if (line.find("checksum error") == std::string::npos) continue;
    ASSERT_TRUE(std::regex_match(line, m, shape)) << line;
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(),
                            [&](const auto& f) { return f.badChecksum && f.text == m[1]; }))
        << "not a bad frame the board sent: " << line;
  }
  EXPECT_EQ(lines.front().substr(0, 10), todayStamp());
}

// Headless, with no display at all: the same logger as the window's, which a
// service stops with SIGTERM. Frames come split, paired, with garbage bytes
// between them and a bad checksum now and then, and a long run with no
// bracket at all comes once the program reads.
TEST(ProgramEndToEnd, RecordsAverageWhatTheBoardSentAndFeedThePageSheetAndErrorLog) {
  ProgramRun run;
  const int port = run.configure(2, [](ProgramConfig& config) {
    config.Savehtml = "1";
    config.SaveExcel = "1";
  });
  run.write("html/template.asp", "<html>Volts <VV> at <TT></html>");
  ASSERT_TRUE(
      run.startBoard(port, {"--rate", "10", "--seed", "11", "--bad-checksum-every", "4", "--split",
                            "--pair", "--garbage-every", "3", "--no-bracket-run", "1048576"}));
  ASSERT_TRUE(run.startProgram({"--headless"}, {.display = false, .extra = {}}));

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

  const auto lines = run.recordLines();
  const std::vector<RecordValues> records = recordsFrom(lines, recordsAfterRun);
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(placeRecordsOnRuns(records, run.sentFrames()), "") << dump(lines);
  EXPECT_EQ(wattHoursFallWithinADay(run, records), "") << dump(lines);
  EXPECT_FALSE(run.lines("logs/P_" + todayStamp() + ".txt").empty()) << "today's log";
  expectChecksumErrorsOfBadFrames(run);
  EXPECT_EQ(linesHolding(run.lines("errorlog.txt"), "  error : "), 0u)
      << dump(run.lines("errorlog.txt"));
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
  EXPECT_TRUE(std::any_of(records.begin(), records.end(),
                          [&](const RecordValues& r) { return r.volts == std::stod(m[1]); }));

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

}  // namespace
}  // namespace tamsel::e2e
