// The board simulator as the tests and the demo use it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <vector>

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

int openBoardPort(const ProgramRun& run, int port) {
  return ::open(run.file("com" + std::to_string(port)).c_str(), O_RDONLY | O_NOCTTY);
}

// Reads until the first whole frame has arrived; false if none comes.
bool readUpToAFrame(int fd, std::string& received) {
  return ProgramRun::waitFor([&] {
    received += readFor(fd, 50);
    return received.find(']') != std::string::npos;
  });
}

TEST(BoardSim, SendsTheFramesItLogsAndWritesTheCalibration) {
  ProgramRun run;
  const int port = test::uniquePortNumber(5);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "50", "--frames", "20"}));
  const int fd = openBoardPort(run, port);
  ASSERT_GE(fd, 0);
  // Read until the board hangs up.
  const std::string received = readFor(fd, 20000);
  ::close(fd);
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !run.board().running(); }, std::chrono::seconds(5)))
      << "--frames 20 ends it";

  std::string sent;
  for (const auto& f : run.sentFrames()) sent += f.text;
  EXPECT_EQ(run.sentFrames().size(), 20u);
  // Frames from before the port was opened may have been thrown away; all
  // others come whole, in order, as logged.
  ASSERT_FALSE(received.empty());
  ASSERT_LE(received.size(), sent.size());
  EXPECT_EQ(sent.substr(sent.size() - received.size()), received);
  EXPECT_TRUE(std::regex_match(
      received, std::regex(R"((\[<V>\d+</V><I>\d+</I><R>\d+</R><S>\d+</S><C>\d+</C>\])+)")));
  EXPECT_EQ(run.read("settings.cfg"),
            "Calibration Settings\r\n\r\n\r\n<VoltDivider>40</VoltDivider>\r\n"
            "<VoltOffset>100</VoltOffset>\r\n<AmpDivider>20</AmpDivider>\r\n"
            "<RPMDivider>1</RPMDivider>\r\n<WSDivider>1</WSDivider>\r\n");
}

size_t sentBytes(const ProgramRun& run) {
  size_t total = 0;
  for (const auto& f : run.sentFrames()) total += f.text.size();
  return total;
}

int waitingOn(int fd) {
  int count = 0;
  return ::ioctl(fd, FIONREAD, &count) == 0 ? count : -1;
}

// The line holds a few kilobytes; with nobody reading, the board throws away
// what waits and goes on, and a stop request still ends it at once.
TEST(BoardSim, NobodyReadingNeverHoldsItUpAndStopRemovesItsLink) {
  ProgramRun run;
  const int port = test::uniquePortNumber(6);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "200"}));
  // Past what the line holds (about 20 KB): sent on, not piled up.
  EXPECT_TRUE(ProgramRun::waitFor([&] { return sentBytes(run) > 32768; }, std::chrono::seconds(30)))
      << "stopped sending after " << sentBytes(run) << " bytes";
  EXPECT_TRUE(run.board().running());
  EXPECT_TRUE(run.board().stop(SIGTERM, 3000)) << "did not stop on SIGTERM";
  EXPECT_FALSE(fs::is_symlink(run.file("com" + std::to_string(port))));
}

TEST(BoardSim, AReaderThatStopsReadingFillsTheLineYetCannotHoldItUp) {
  ProgramRun run;
  const int port = test::uniquePortNumber(9);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "100", "--no-bracket-run", "1048576"}));
  const int fd = openBoardPort(run, port);
  ASSERT_GE(fd, 0);
  std::string received;
  ASSERT_TRUE(readUpToAFrame(fd, received)) << "no frame";
  // Read no more: the long run, sent now that a reader is there, fills the line.
  EXPECT_TRUE(ProgramRun::waitFor([&] { return waitingOn(fd) >= 4000; }, std::chrono::seconds(10)))
      << waitingOn(fd) << " bytes waiting";
  EXPECT_TRUE(run.board().running());
  EXPECT_TRUE(run.board().stop(SIGTERM, 3000)) << "did not stop on SIGTERM";
  ::close(fd);
}

// Frames sent while nobody had the port open are not kept for whoever opens it.
TEST(BoardSim, ALateReaderGetsOnlyFreshFrames) {
  ProgramRun run;
  const int port = test::uniquePortNumber(0);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "20"}));
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.sentFrames().size() >= 30; }));
  const size_t sentBeforeOpen = run.sentFrames().size();
  const int fd = openBoardPort(run, port);
  ASSERT_GE(fd, 0);
  std::string received;
  ASSERT_TRUE(readUpToAFrame(fd, received)) << "no frame";
  ::close(fd);

  const auto sent = run.sentFrames();
  const std::string first = received.substr(0, received.find(']') + 1);
  size_t at = sent.size();
  while (at > 0 && sent[at - 1].text != first) --at;
  ASSERT_GT(at, 0u) << "not a frame the board sent: " << first;
  // At most about three frames wait for a reader: the first one it gets was
  // sent no earlier than the last three before it opened the port.
  EXPECT_GE(at - 1 + 3, sentBeforeOpen) << "frame " << at << " of " << sentBeforeOpen;
}

}  // namespace
}  // namespace tamsel::e2e
