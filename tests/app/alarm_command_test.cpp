// The owner's alarm command: its arguments, its output in the error log, one
// run at a time, and the end of one that runs too long.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>

#include "app/outputs/alarm_command_runner.h"
#include "support/fake_clock.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

constexpr int kWaitMs = 20000;

// Whether process `pid` has ended; one ended but not yet reaped has too.
bool hasEnded(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const size_t name = line.rfind(") ");
  return name != std::string::npos && line.compare(name + 2, 1, "Z") == 0;
}

class AlarmCommandTest : public ::testing::Test {
 protected:
  // A script in the program folder, named as alarm.cfg's Command would name it.
  void script(const std::string& body, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    folder.write("alarm.sh", "#!/bin/sh\n" + body);
    ::chmod(folder.file("alarm.sh").c_str(), 0755);
    runner = std::make_unique<AlarmCommandRunner>(folder.path(), reporter, limit);
    AlarmSettings settings;
    settings.command = "alarm.sh";
    runner->alarmSettingsLoaded(settings);
    QObject::connect(runner.get(), &AlarmCommandRunner::runEnded, [this] { ++ended; });
  }
  void alarm(const std::string& line) { runner->alarmNews({}, line); }
  bool waitForRuns(int runs) {
    return waitUntil([&] { return ended >= runs; }, kWaitMs);
  }

  TempFolder folder;
  FakeClock clock;
  std::ostringstream said;
  ErrorReporter reporter{folder.path(), clock, ErrorReporter::Mode::Window, said};
  std::unique_ptr<AlarmCommandRunner> runner;
  int ended = 0;
};

TEST_F(AlarmCommandTest, RunsWithTheAlarmsWordsAndLogsWhatItPrints) {
  script("for a in \"$@\"; do echo \"[$a]\" >> args.txt; done\necho sent: \"$*\"\nexit 3\n");
  alarm("LowVolts alarm raised: battery at 11.42 V, below 11.5 V");
  ASSERT_TRUE(waitForRuns(1));
  EXPECT_EQ(
      folder.read("args.txt"),
      "[LowVolts]\n[alarm]\n[raised:]\n[battery]\n[at]\n[11.42]\n[V,]\n[below]\n[11.5]\n[V]\n");
  EXPECT_EQ(folder.read("errorlog.txt"),
            "2010_05_23  14:05:33  alarm command  sent: LowVolts alarm raised: battery at 11.42 V, "
            "below 11.5 V <IM> \r\n"
            "2010_05_23  14:05:33  alarm command failed  " +
                folder.file("alarm.sh") + " ended with status 3 <IM> \r\n");
}

TEST_F(AlarmCommandTest, OneRunsAtATimeInTurn) {
  script("echo start $1 >> runs.txt\nsleep 0.2\necho end $1 >> runs.txt\n");
  alarm("first");
  alarm("second");
  alarm("third");
  EXPECT_TRUE(runner->isRunning());
  EXPECT_EQ(runner->waiting(), 2u);
  ASSERT_TRUE(waitForRuns(3));
  EXPECT_EQ(folder.read("runs.txt"),
            "start first\nend first\nstart second\nend second\nstart third\nend third\n");
}

TEST_F(AlarmCommandTest, AProgramThatCannotStartIsLoggedAndTheNextStillRuns) {
  script("echo ran $1\n");
  AlarmSettings missing;
  missing.command = "missing.sh";
  runner->alarmSettingsLoaded(missing);
  alarm("first");
  ASSERT_TRUE(waitForRuns(1));
  missing.command = "alarm.sh";
  runner->alarmSettingsLoaded(missing);
  alarm("second");
  ASSERT_TRUE(waitForRuns(2));
  const std::string log = folder.read("errorlog.txt");
  EXPECT_NE(log.find("  alarm command failed  " + folder.file("missing.sh") + ": "),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("  alarm command  ran second <IM> \r\n"), std::string::npos) << log;
}

TEST_F(AlarmCommandTest, ARunPastTheTimeLimitIsKilledAndTheNextGoesOn) {
  script("if [ \"$1\" = slow ]; then exec sleep 600; fi\necho quick\n",
         std::chrono::milliseconds(300));
  alarm("slow");
  alarm("quick");
  ASSERT_TRUE(waitForRuns(2));
  EXPECT_EQ(folder.read("errorlog.txt"),
            "2010_05_23  14:05:33  alarm command killed  " + folder.file("alarm.sh") +
                " still ran after 0.3 s <IM> \r\n"
                "2010_05_23  14:05:33  alarm command  quick <IM> \r\n");
}

// A `curl` to a dead gateway, here a `sleep`, must not live on once its
// command is killed, whether for its time or because the logger leaves.
TEST_F(AlarmCommandTest, AKilledRunTakesWhatItStartedWithIt) {
  for (const bool leaving : {false, true}) {
    SCOPED_TRACE(leaving ? "the logger leaving" : "past the time limit");
    script("sleep 1000 &\necho $! > \"$1\"\nwait\n",
           leaving ? AlarmCommandRunner::kTimeLimit : std::chrono::milliseconds(300));
    const std::string pidFile = leaving ? "leaving.pid" : "limit.pid";
    alarm(pidFile);
    pid_t child = 0;
    ASSERT_TRUE(waitUntil(
        [&] {
          const std::string text = folder.read(pidFile);
          if (text.empty() || text.back() != '\n') return false;
          child = static_cast<pid_t>(std::stol(text));
          return true;
        },
        kWaitMs));
    if (leaving) {
      runner.reset();
    } else {
      ASSERT_TRUE(waitForRuns(1));
    }
    EXPECT_TRUE(waitUntil([&] { return hasEnded(child); }, kWaitMs)) << child;
    if (!hasEnded(child)) ::kill(child, SIGKILL);
  }
}

}  // namespace
}  // namespace tamsel::test
