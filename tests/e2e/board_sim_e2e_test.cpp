// The board simulator as the tests and the demo use it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <thread>

#include "e2e/harness.h"
#include "support/pseudo_terminal.h"

namespace tamsel::e2e {
namespace {

namespace fs = std::filesystem;

std::string readFor(int fd, int ms) {
  std::string out;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  return out;
}

TEST(BoardSim, SendsTheFramesItLogsAndWritesTheCalibration) {
  ProgramRun run;
  const int port = test::uniquePortNumber(5);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "50", "--frames", "20"}));
  const int fd = ::open(run.file("com" + std::to_string(port)).c_str(), O_RDONLY | O_NOCTTY);
  ASSERT_GE(fd, 0);
  const std::string received = readFor(fd, 1500);
  ::close(fd);
  EXPECT_FALSE(run.board().running()) << "--frames 20 ends it";

  std::string sent;
  for (const auto& f : run.sentFrames()) sent += f.text;
  EXPECT_EQ(run.sentFrames().size(), 20u);
  EXPECT_EQ(received, sent);
  EXPECT_TRUE(std::regex_match(
      received, std::regex(R"((\[<V>\d+</V><I>\d+</I><R>\d+</R><S>\d+</S><C>\d+</C>\])+)")));
  EXPECT_EQ(run.read("settings.cfg"),
            "Calibration Settings\r\n\r\n\r\n<VoltDivider>40</VoltDivider>\r\n"
            "<VoltOffset>100</VoltOffset>\r\n<AmpDivider>20</AmpDivider>\r\n"
            "<RPMDivider>1</RPMDivider>\r\n<WSDivider>1</WSDivider>\r\n");
}

TEST(BoardSim, NobodyReadingNeverHoldsItUpAndStopRemovesItsLink) {
  ProgramRun run;
  const int port = test::uniquePortNumber(6);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "100", "--no-bracket-run", "1048576"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // fills the line
  EXPECT_TRUE(run.board().running());
  EXPECT_TRUE(run.board().stop(SIGTERM, 1000)) << "did not stop on SIGTERM";
  EXPECT_FALSE(fs::is_symlink(run.file("com" + std::to_string(port))));
}

TEST(BoardSim, PortCanBeOpenedAndClosedAgainAndAgain) {
  ProgramRun run;
  const int port = test::uniquePortNumber(7);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "20"}));
  const std::string link = run.file("com" + std::to_string(port));
  for (int k = 0; k < 3; ++k) {
    const int fd = ::open(link.c_str(), O_RDONLY | O_NOCTTY);
    ASSERT_GE(fd, 0) << "round " << k;
    EXPECT_NE(readFor(fd, 300).find("</C>]"), std::string::npos) << "round " << k;
    ::close(fd);
  }
  EXPECT_TRUE(run.board().running());
  EXPECT_TRUE(run.board().stop(SIGINT, 1000));
  EXPECT_FALSE(fs::is_symlink(link));
}

TEST(BoardSim, SilenceLeavesAGapAndDurationEndsIt) {
  ProgramRun run;
  const int port = test::uniquePortNumber(8);
  ASSERT_TRUE(run.startBoard(
      port, {"--rate", "20", "--silence-after", "0.5", "--silence-for", "1", "--duration", "2"}));
  const int fd = ::open(run.file("com" + std::to_string(port)).c_str(), O_RDONLY | O_NOCTTY);
  ASSERT_GE(fd, 0);
  // Drain what came before the silence, then listen inside it.
  std::this_thread::sleep_for(std::chrono::milliseconds(650));
  readFor(fd, 50);
  EXPECT_EQ(readFor(fd, 600), "");
  EXPECT_NE(readFor(fd, 700).find("</C>]"), std::string::npos) << "frames after the silence";
  ::close(fd);
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !run.board().running(); }, std::chrono::seconds(2)));
  EXPECT_FALSE(fs::is_symlink(run.file("com" + std::to_string(port))));
}

}  // namespace
}  // namespace tamsel::e2e
