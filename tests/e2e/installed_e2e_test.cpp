// The program as installed: its program folder kept to one program, and its
// command line. (Headless logging on the
// simulator is among the program's end-to-end runs.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <regex>

#include "e2e/harness.h"

namespace tamsel::e2e {
namespace {

namespace fs = std::filesystem;

const ChildEnvironment kNoDisplay{.display = false, .extra = {}};

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
  ASSERT_TRUE(
      run.startProgram({"--headless"}, {.display = false, .extra = {}, .streamsClosed = true}));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return logged(run, waiting) == 2; }))
      << run.read("errorlog.txt");
  run.configure(5);  // its port, read again at the next try
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !run.recordLines().empty(); }))
      << run.read("errorlog.txt");
  ::kill(run.program().pid(), SIGHUP);
  EXPECT_EQ(run.program().exitStatus(), 0);
  // The day's watt-hours line that leaving writes.
  const auto total = run.lines("logs/Whours.txt");
  ASSERT_FALSE(total.empty());
  EXPECT_TRUE(
      std::regex_match(total.back(), std::regex(R"(\d{4}_\d\d_\d\d \d\d:\d\d  \d*\.\d Wh)")))
      << total.back();
}

TEST(InstalledEndToEnd, BadCommandLinesEndWithStatusTwoAndWriteNothing) {
  ProgramRun run;
  run.write("a-file", "x");
  struct Case {
    std::vector<std::string> arguments;
    std::string said;
    bool usage;
  } cases[] = {
      {{"--bogus"}, "tamsel: unknown option: --bogus\n", true},
      {{"--headless", "--folder", run.file("a-file/logs")},
       "tamsel: " + run.file("a-file/logs") + ": Not a directory\n",
       false},
  };
  for (const Case& c : cases) {
    fs::remove(run.file("program-output.txt"));
    ASSERT_TRUE(run.startProgram(c.arguments, kNoDisplay));
    EXPECT_EQ(run.program().exitStatus(), 2) << c.said;
    const std::string output = run.read("program-output.txt");
    EXPECT_EQ(output.find(c.said), 0u) << output;
    EXPECT_EQ(output.find("Usage: tamsel") != std::string::npos, c.usage) << output;
  }
  EXPECT_FALSE(fs::exists(run.file("errorlog.txt")));
  EXPECT_FALSE(fs::exists(run.file("logs")));
}

}  // namespace
}  // namespace tamsel::e2e
