// The real program in a program folder of its own, fed by the board
// simulator through a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <regex>

#include "e2e/harness.h"
#include "e2e/record_check.h"

namespace tamsel::e2e {
namespace {

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

  // Their shapes are the log files' own tests'; here the day's files are written.
  EXPECT_FALSE(run.filesMatching("html", R"(history\d\d_\d\d_\d{4}\.txt)").empty());
  EXPECT_FALSE(run.filesMatching("excel", R"(\d{4}_\d\d_\d\d\.xls)").empty());
}

}  // namespace
}  // namespace tamsel::e2e
