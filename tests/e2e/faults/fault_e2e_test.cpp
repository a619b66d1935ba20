// The real program under what goes wrong around it: killed while logging, a
// disk that fills up, a cable pulled in the middle of a frame, readings too
// large to add up, a board far faster than any serial line. Each run takes seconds, so these carry
// the "slow" label.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <thread>

#include "config/calibration.h"
#include "e2e/harness.h"
#include "e2e/record_check.h"
#include "support/pseudo_terminal.h"

namespace tamsel::e2e {
namespace {

// The simulator's calibration, for boards the test holds itself.
const std::string kSettings = calibrationText({"40", "100", "20", "1", "1"});

// A frame of raw volts and current counts with its checksum right.
std::string frame(const std::string& v, const std::string& i, long checksum) {
  return "[<V>" + v + "</V><I>" + i + "</I><R>0</R><S>0</S><C>" + std::to_string(checksum) +
         "</C>]";
}

// prog.cfg for logging from the start every `delay` seconds; the port it uses.
int configureLogging(const ProgramRun& run, int portOffset, const char* delay = "1") {
  return run.configure(portOffset, [&](ProgramConfig& config) { config.LogDelay = delay; });
}

std::string dayLog() {
  return "logs/P_" + todayStamp() + ".txt";
}

// A board whose far end the test holds: it says exactly which bytes arrive,
// and when the cable is pulled.
class HeldBoard {
 public:
  HeldBoard(ProgramRun& run, int port) : run_(run), link_(run.file("com" + std::to_string(port))) {
    plugIn();
  }
  bool plugIn() {
    terminal_ = std::make_unique<test::PseudoTerminal>();
    return terminal_->ok() && terminal_->linkAs(link_);
  }
  void pullOut() {
    terminal_->unplug();
    test::linkToMissingDevice(link_);
  }
  // True once the program has the device open: from then on it reads what is sent.
  bool waitUntilOpened() {
    return ProgramRun::waitFor([&] { return run_.program().hasOpen(terminal_->deviceName()); });
  }
  bool send(const std::string& bytes) { return terminal_->send(bytes); }

 private:
  ProgramRun& run_;
  std::string link_;
  std::unique_ptr<test::PseudoTerminal> terminal_;
};

TEST(Faults, KilledWhileLoggingLeavesWholeLinesAndTheRecountIsTheFilesSum) {
  ProgramRun run;
  const int port = configureLogging(run, 1);
  // An earlier day's run: a record with a blank after it, and one torn by a power cut.
  const std::string torn = "<T>09:01</T><V>12.00</V><I>300.0</I><W>36";
  run.write(
      dayLog(),
      "<T>09:00</T><V>12.00</V><I>300.0</I><W>3600.0</W><R>0</R><S>0</S><M></M>   1.0Wh \r\n" +
          torn);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "20", "--seed", "3"}));
  for (int kill = 0; kill < 3; ++kill) {
    const size_t before = run.recordLines().size();
    ASSERT_TRUE(run.startProgram());
    ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= before + 2; }))
        << run.read("program-output.txt");
    run.program().stop(SIGKILL, 0);
  }
  run.board().stop();
  std::vector<std::string> lines = run.lines(dayLog());
  ASSERT_EQ(lines.at(1), torn) << "the torn line is ended, and nothing glued onto it";
  lines.erase(lines.begin() + 1);
  double sum = 0;
  for (const auto& line : lines) {
    const auto record = parseRecord(line.ends_with(" ") ? line.substr(0, line.size() - 1) : line);
    ASSERT_TRUE(line.empty() || record) << "a fragment: " << line;
    // Hundredths of a watt-hour at one second each, ties to even as the recount rounds.
    if (record) sum += std::nearbyint(record->watts / 36) / 100;
  }

  // Started again on a board that sends nothing: the first tick repeats no
  // data, so its total is what start-up counted from the file.
  HeldBoard quiet(run, port);
  const size_t before = run.recordLines().size();
  ASSERT_TRUE(run.startProgram());
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() > before; }));
  const auto record = parseRecord(run.recordLines().at(before));
  ASSERT_TRUE(record) << run.recordLines().at(before);
  EXPECT_NEAR(record->wattHours, sum, 0.05 + 1e-9) << dump(run.lines(dayLog()));
}

// Mounts a small file system of its own on `folder`, and takes it off again.
class SmallDisk {
 public:
  explicit SmallDisk(const std::string& folder) : folder_(folder) {
    std::filesystem::create_directories(folder);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  // Fills what is left with one file, which `makeRoom` removes.
  void fill() const {
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(512, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
  }
  void makeRoom() const { std::filesystem::remove(folder_ + "/filler"); }

 private:
  std::string folder_;
  bool mounted_ = false;
};

TEST(Faults, AFullDiskLeavesNoFragmentAndLoggingRecoversWithRoom) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  ProgramRun run;
  SmallDisk disk(run.file("logs"));
  if (!disk.mounted()) GTEST_SKIP() << "this machine lets no one mount a tmpfs here";
  const int port = configureLogging(run, 2);
  // The day's file ends 40 bytes short of a page, so the next record's write
  // is cut short part-way once the rest of the disk is full.
  const std::string record =
      "<T>09:00</T><V>12.00</V><I>3.0</I><W>36.0</W><R>0</R><S>0</S><M></M>   1.0Wh\r\n";
  std::string earlier;
  for (int k = 0; k < 52; ++k) earlier += record;
  ASSERT_EQ(earlier.size(), 4096u - 40);
  run.write(dayLog(), earlier);
  disk.fill();

  ASSERT_TRUE(run.startBoard(port, {"--rate", "10"}));
  ASSERT_TRUE(run.startProgram());
  ASSERT_TRUE(ProgramRun::waitFor([&] {
    return linesHolding(run.lines("errorlog.txt"), "log file write error") >= 2;
  })) << run.read("program-output.txt");
  EXPECT_EQ(run.read(dayLog()), earlier) << "a failed record left bytes behind";

  disk.makeRoom();
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.read(dayLog()).size() > earlier.size(); }));
  const size_t lines = run.lines(dayLog()).size();
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.lines(dayLog()).size() >= lines + 2; }));
  run.program().stop();
  const std::string after = run.read(dayLog());
  EXPECT_EQ(after.substr(0, earlier.size()), earlier);
  EXPECT_TRUE(after.ends_with("\r\n")) << after;
  for (const auto& line : run.lines(dayLog())) {
    EXPECT_TRUE(line.empty() || parseRecord(line)) << "a fragment: " << line;
  }
}

// An unplugged adapter is reported once, without a busy loop while it is
// away, and a frame it cut never mixes into the next connection.
TEST(Faults, AnUnplugMidFrameIsReportedOnceAndThePartFrameNeverMixesIntoTheNext) {
  ProgramRun run;
  const int port = configureLogging(run, 3, "2");
  run.write("settings.cfg", kSettings);
  HeldBoard board(run, port);
  ASSERT_TRUE(run.startProgram());
  ASSERT_TRUE(board.waitUntilOpened()) << run.read("program-output.txt");

  // 12 V and 5 A, then the cable is pulled half way through a frame.
  const std::string twelveVolts = frame("480", "200", 680);
  ASSERT_TRUE(board.send(twelveVolts + twelveVolts));
  ASSERT_TRUE(ProgramRun::waitFor([&] {
    return linesHolding(run.recordLines(), "<V>12.00</V>") > 0;
  })) << dump(run.recordLines());
  // The part frame arms the tick, whose record (no frame, the last values
  // again) shows that the program has read it.
  const size_t beforeCut = run.recordLines().size();
  ASSERT_TRUE(board.send("[<V>1025</V><I>26"));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() > beforeCut; }));
  board.pullOut();
  const std::string portLost = "  port not available  ";
  ASSERT_TRUE(ProgramRun::waitFor([&] {
    return linesHolding(run.lines("errorlog.txt"), portLost) > 0;
  })) << dump(run.lines("errorlog.txt"));
  const double cpuBefore = run.program().cpuSeconds();
  std::this_thread::sleep_for(std::chrono::seconds(3));
  ASSERT_GE(cpuBefore, 0);
  EXPECT_LT(run.program().cpuSeconds() - cpuBefore, 0.5) << "busy while the board is away";

  // Back again: three frames of 20 V and 20 A make one record of exactly that.
  ASSERT_TRUE(board.plugIn());
  ASSERT_TRUE(board.waitUntilOpened()) << "the port was not reopened";
  const size_t before = run.recordLines().size();
  const std::string twentyVolts = frame("800", "500", 1300);
  ASSERT_TRUE(board.send(twentyVolts + twentyVolts + twentyVolts));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() > before; }));
  const auto records = run.recordLines();
  const auto first = records.begin() + static_cast<long>(before);
  const auto record = parseRecord(*first);
  ASSERT_TRUE(record) << *first;
  EXPECT_EQ(record->volts, 20.0) << dump(records);
  EXPECT_EQ(record->amps, 20.0);
  EXPECT_EQ(record->watts, 400.0);
  const auto errors = run.lines("errorlog.txt");
  EXPECT_EQ(linesHolding(errors, "checksum error"), 0u) << dump(errors);
  EXPECT_EQ(linesHolding(errors, portLost), 1u) << dump(errors);
}

TEST(Faults, AnIntervalTooLargeToAddUpIsReportedAndItsRecordIsAnAverageOfWhatCame) {
  ProgramRun run;
  const int port = configureLogging(run, 4, "2");
  // Scaled so that one frame reads 1e154 V and 1e154 A, 1e308 W: finite,
  // but two of them are more than a number holds.
  run.write("settings.cfg",
            "Calibration Settings\r\n\r\n\r\n<VoltDivider>1e-150</VoltDivider>\r\n"
            "<VoltOffset>100</VoltOffset>\r\n<AmpDivider>1e-150</AmpDivider>\r\n"
            "<RPMDivider>1</RPMDivider>\r\n<WSDivider>1</WSDivider>\r\n");
  HeldBoard board(run, port);
  ASSERT_TRUE(run.startProgram());
  ASSERT_TRUE(board.waitUntilOpened()) << run.read("program-output.txt");
  // The tick that logging's start arms comes first, with no data.
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() == 1; }));

  std::string frames;
  for (int k = 0; k < 11; ++k) frames += frame("10000", "10100", 20100);
  ASSERT_TRUE(board.send(frames));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= 2; }));
  const auto record = parseRecord(run.recordLines().at(1));
  ASSERT_TRUE(record) << run.recordLines().at(1);
  EXPECT_GT(record->watts, 1e307) << "an overflow written as a number";
  EXPECT_GT(linesHolding(run.lines("errorlog.txt"), "  error : "), 0u)
      << "the overflowing frame was not reported:\n"
      << dump(run.lines("errorlog.txt"));
}

// Frames far faster than any serial line carries, in both ways of running:
// each is in exactly one record, and each record is the average of its own.
class FastBoard : public ::testing::TestWithParam<bool> {};

TEST_P(FastBoard, EveryFrameSentIsInTheAverageOfOneRecord) {
  ProgramRun run;
  const int port = configureLogging(run, 5);
  // Quiet until the program holds the line, then 40,000 frames as fast as
  // 20,000 a second, then nothing. Every 50th has a bad checksum, so the
  // error log names frames from all through the stream: averages alone would
  // not miss one frame lost among thousands.
  ASSERT_TRUE(run.startBoard(port, {"--rate", "20000", "--frames", "40000", "--every-frame",
                                    "--bad-checksum-every", "50"}));
  const bool headless = GetParam();
  ASSERT_TRUE(run.startProgram(
      headless ? std::vector<std::string>{"--headless"} : std::vector<std::string>{},
      {.display = !headless}));
  ASSERT_EQ(run.board().exitStatus(60000), 0);
  const auto sent = run.sentFrames();
  ASSERT_FALSE(sent.empty());
  // The records written before the first frame repeat the empty reading.
  const auto records = [&] {
    std::vector<RecordValues> taken;
    for (const std::string& line : run.recordLines()) {
      const auto record = parseRecord(line);
      if (record && (record->volts != 0 || !taken.empty())) taken.push_back(*record);
    }
    return taken;
  };
  const RunRules everyFrame{
      .shortestRun = 1, .longestRun = sent.size(), .mostSkipped = 0, .everyFrame = true};
  EXPECT_TRUE(ProgramRun::waitFor([&] {
    return placeRecordsOnRuns(records(), sent, everyFrame) == "";
  })) << placeRecordsOnRuns(records(), sent, everyFrame)
      << "\n"
      << dump(run.recordLines()) << run.read("program-output.txt");
  std::vector<std::string> badSent, badLogged;
  for (const auto& frame : sent) {
    if (frame.badChecksum) badSent.push_back(frame.text);
  }
  const std::regex reported(R"(checksum error   <IM> \[*(\[<V>.*\])$)");
  for (const std::string& line : run.lines("errorlog.txt")) {
    std::smatch m;
    if (std::regex_search(line, m, reported)) badLogged.push_back(m[1]);
  }
  EXPECT_EQ(badLogged, badSent);
}

INSTANTIATE_TEST_SUITE_P(Modes, FastBoard, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Headless" : "Window"; });

}  // namespace
}  // namespace tamsel::e2e
