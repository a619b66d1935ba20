// The command line, the choice of program folder and its lock, publishing as
// mqtt.cfg says, and what the headless logger does where a window would ask
// the user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTimer>
#include <csignal>
#include <filesystem>
#include <sstream>

#include "app/headless_logger.h"
#include "app/main_window_fixture.h"
#include "app/outputs/mqtt_feed.h"
#include "app/process/command_line.h"
#include "app/process/program_folder.h"
#include "app/process/start_line.h"
#include "app/process/termination_signals.h"
#include "config/mqtt_config.h"
#include "logging/logging_control.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

namespace fs = std::filesystem;
using Mode = CommandLine::Mode;

TEST(CommandLineTest, ModesFoldersAndErrors) {
  struct Case {
    std::vector<std::string> arguments;
    std::optional<Mode> mode;  // nullopt: a usage error
    std::string folder;
  } cases[] = {
      {{}, Mode::Window, ""},
      {{"--headless", "--folder", "/srv/wind"}, Mode::Headless, "/srv/wind"},
      {{"--folder=/srv/wind"}, Mode::Window, "/srv/wind"},
      {{"--help"}, Mode::Help, ""},
      {{"--version"}, Mode::Version, ""},
      {{"--headless", "--headless"}, Mode::Headless, ""},
      {{"--folder"}, std::nullopt, ""},
      {{"--help", "--headless"}, std::nullopt, ""},
      {{"-platform", "offscreen"}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const Result<CommandLine> line = parseCommandLine(c.arguments);
    const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
    ASSERT_EQ(static_cast<bool>(line), c.mode.has_value()) << shown << ": " << line.error();
    if (!line) continue;
    EXPECT_EQ(line->mode, *c.mode) << shown;
    EXPECT_EQ(line->folder, c.folder) << shown;
  }
}

// What a headless start tells the journal, in each state start-up can settle in.
TEST(StartLineTest, SaysFolderPortLoggingAndDashboard) {
  const StartFacts running{"/home/u/.local/share/tamsel",
                           "3",
                           "com3 -> /dev/ttyUSB0",
                           "9600",
                           true,
                           "",
                           true,
                           true,
                           "60",
                           "http://127.0.0.1:8470/",
                           ""};
  StartFacts portFailed = running;
  portFailed.portOpen = portFailed.logging = false;
  portFailed.portProblem = "com3: No such file or directory";
  portFailed.dashboard.clear();
  portFailed.dashboardOff = "Enabled is not 1 in web.cfg";
  StartFacts noPort = running;
  noPort.port = "0";
  noPort.portOpen = noPort.logOn = noPort.logging = false;
  const std::string from = "Tamsel logging from /home/u/.local/share/tamsel: ";
  const std::pair<StartFacts, std::string> cases[] = {
      {running, from + "port 3 (com3 -> /dev/ttyUSB0) at 9600 bits/s, open; logging every 60 s; "
                       "dashboard at http://127.0.0.1:8470/"},
      {portFailed, from + "port 3 (com3 -> /dev/ttyUSB0) at 9600 bits/s, not open (com3: No such "
                          "file or directory), tried again every 2 seconds; logging every 60 s "
                          "once the port opens; dashboard off (Enabled is not 1 in web.cfg)"},
      {noPort, from + "no port (Port is 0 in prog.cfg); logging off (LogOn in prog.cfg); "
                      "dashboard at http://127.0.0.1:8470/"},
  };
  for (const auto& [facts, line] : cases) EXPECT_EQ(startLine(facts), line);
}

TEST(ProgramFolderTest, ExplicitThenWritableProgramFolderThenDataHome) {
  TempFolder scratch;
  const std::string exe = scratch.file("portable");
  fs::create_directory(exe);
  const std::string home = scratch.path();
  struct Case {
    const char* why;
    FolderChoice choice;
    std::string chosen;
  } cases[] = {
      {"--folder, made with its parents",
       {scratch.file("a/b"), exe, "", home},
       scratch.file("a/b")},
      {"beside the program", {"", exe, scratch.file("data"), home}, exe},
      {"beside the program, which cannot write there",
       {"", scratch.file("gone"), scratch.file("data"), home},
       scratch.file("data/tamsel")},
      {"installed: a system folder",
       {"", "/usr/bin", scratch.file("data"), home},
       scratch.file("data/tamsel")},
      {"a relative data home is ignored",
       {"", "/usr/bin", "data", home},
       home + "/.local/share/tamsel"},
  };
  for (const Case& c : cases) {
    const Result<std::string> chosen = chooseProgramFolder(c.choice);
    ASSERT_TRUE(chosen) << c.why << ": " << chosen.error();
    EXPECT_EQ(*chosen, c.chosen) << c.why;
    EXPECT_TRUE(fs::is_directory(*chosen)) << c.why;
  }
  scratch.write("file", "x");
  const Result<std::string> underAFile =
      chooseProgramFolder({scratch.file("file/x"), exe, "", home});
  EXPECT_FALSE(underAFile);
  EXPECT_EQ(underAFile.error(), scratch.file("file/x") + ": Not a directory");
  EXPECT_FALSE(chooseProgramFolder({"", "/usr/bin", "", ""}));
}

// A signal that came while the program was still starting used to end it on
// the spot, before it could write its leaving line; a closed terminal
// (SIGHUP) always did. Each is held until start-up has run, then handed on once.
TEST(TerminationSignalsTest, ASignalBeforeAnyoneListensIsHeldAndHandedOnOnce) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    holdTerminationSignals();
    ASSERT_EQ(::raise(signal), 0);
    ::raise(signal);  // a second one before the first is heard asks nothing more
    TerminationSignals termination;
    int requests = 0;
    QObject::connect(&termination, &TerminationSignals::requested, [&] { ++requests; });
    EXPECT_TRUE(waitUntil([&] { return requests > 0; }, 10000)) << strsignal(signal);
    runEventsFor(50);
    EXPECT_EQ(requests, 1) << strsignal(signal);
  }
}

// Starting publishing from mqtt.cfg: off unless enabled, and what the user
// must hear about goes to errorlog.txt.
TEST(Publishing, StartsOnlyWhenEnabledAndWarnsOfAPasswordOthersCanRead) {
  struct Case {
    const char* why;
    const char* enabled;
    const char* host;
    const char* password;
    mode_t mode;
    bool started;
    const char* noted;  // "" for nothing
  } cases[] = {
      {"off", "0", "broker", "secret", 0644, false, ""},
      {"on, private", "1", "broker", "secret", 0600, true, ""},
      {"on, readable", "1", "broker", "secret", 0644, true,
       "mqtt.cfg holds a password that other users can read: chmod 600 mqtt.cfg"},
      {"no password", "1", "broker", "", 0644, true, ""},
      {"no host", "1", "", "", 0600, false, "mqtt.cfg: Host is empty; nothing is published"},
  };
  FakeClock clock;
  for (const Case& c : cases) {
    TempFolder folder;
    MqttConfig config;
    config.Enabled = c.enabled;
    config.Host = c.host;
    config.Password = c.password;
    folder.write("mqtt.cfg", mqttConfigText(config));
    ASSERT_EQ(::chmod(folder.file("mqtt.cfg").c_str(), c.mode), 0);
    std::ostringstream said;
    ErrorReporter reporter(folder.path(), clock, ErrorReporter::Mode::Window, said);
    const auto publisher = startPublishing(folder.path(), clock, "1", reporter);
    EXPECT_EQ(publisher != nullptr, c.started) << c.why;
    const std::string log = folder.read("errorlog.txt");
    if (*c.noted) {
      EXPECT_EQ(log, "2010_05_23  14:05:33  " + std::string(c.noted) + "   <IM> \r\n") << c.why;
      EXPECT_NE(said.str().find(c.noted), std::string::npos) << c.why;
    } else {
      EXPECT_EQ(log, "<missing>") << c.why;
    }
  }
  TempFolder none;
  std::ostringstream said;
  ErrorReporter reporter(none.path(), clock, ErrorReporter::Mode::Window, said);
  EXPECT_EQ(startPublishing(none.path(), clock, "1", reporter), nullptr);
  EXPECT_EQ(said.str(), "") << "no mqtt.cfg, nothing to say";
  ASSERT_EQ(::mkdir(none.file("mqtt.cfg").c_str(), 0755), 0);
  EXPECT_EQ(startPublishing(none.path(), clock, "1", reporter), nullptr);
  EXPECT_NE(said.str().find("mqtt.cfg cannot be read: a folder, not a regular file"),
            std::string::npos)
      << said.str();
}

// The headless logger in a folder of the window tests' making.
using HeadlessTest = MainWindowTest;

// Once the port opens, an interval that is no number is replaced and logging starts.
TEST_F(HeadlessTest, APortThatWillNotOpenIsSaidOnceAndTriedUntilItOpens) {
  serial.availablePorts = {};
  ProgCfg cfg = loggingCfg();
  cfg.LogDelay = "often";
  folder.write("prog.cfg", cfg.text());
  folder.write("settings.cfg", kSettingsCfg);
  std::ostringstream said;
  Outputs outputs(folder.path(), clock, RunMode::Headless, said);
  HeadlessLogger logger(folder.path(), clock, serial, outputs);
  logger.start();
  const std::string problem = std::string(kPortProblemMessage) + ": The port does not exist";
  EXPECT_NE(errorLog().find(problem + "; trying again every 2 seconds"), std::string::npos)
      << errorLog();
  ASSERT_TRUE(waitUntil([&] { return serial.openCalls >= 2; }, 10000));
  EXPECT_FALSE(serial.isOpen());
  serial.availablePorts = {3};
  ASSERT_TRUE(waitUntil([&] { return serial.isOpen(); }, 10000));
  const std::string log = errorLog();
  EXPECT_EQ(log.find(problem), log.rfind(problem)) << "said once";
  EXPECT_NE(log.find("Port open"), std::string::npos);
  EXPECT_NE(log.find(std::string(kInvalidDelayMessage) + "; logging every 60 seconds"),
            std::string::npos)
      << log;
  EXPECT_EQ(said.str().find(problem), said.str().rfind(problem)) << said.str();
  EXPECT_TRUE(logger.loggerSession().isLogging());
  EXPECT_EQ(logger.loggerSession().intervalText(), "60");
}

}  // namespace
}  // namespace tamsel::test
