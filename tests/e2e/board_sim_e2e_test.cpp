// The board simulator as the tests and the demo use it: the line holds a few
// kilobytes, and with nobody reading the board throws away what waits and
// goes on, so a late reader gets fresh frames and a stop request still ends
// it at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>

#include "e2e/harness.h"
#include "support/pseudo_terminal.h"

namespace tamsel::e2e {
namespace {

size_t sentBytes(const ProgramRun& run) {
  size_t total = 0;
  for (const auto& f : run.sentFrames()) total += f.text.size();
  return total;
}

TEST(BoardSim, NobodyReadingNeverHoldsItUpAndALateReaderGetsOnlyFreshFrames) {
  ProgramRun run;
  const int port = test::uniquePortNumber(6);
  ASSERT_TRUE(run.startBoard(port, {"--rate", "200"}));
  // Past what the line holds (about 20 KB): sent on, not piled up.
  ASSERT_TRUE(ProgramRun::waitFor([&] { return sentBytes(run) > 32768; }, std::chrono::seconds(30)))
      << "stopped sending after " << sentBytes(run) << " bytes";
  const size_t sentBeforeOpen = run.sentFrames().size();
  const int fd = ::open(run.file("com" + std::to_string(port)).c_str(), O_RDONLY | O_NOCTTY);
  ASSERT_GE(fd, 0);
  std::string received;
  ASSERT_TRUE(ProgramRun::waitFor([&] {
    char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    const ssize_t n = ::poll(&p, 1, 50) > 0 ? ::read(fd, buffer, sizeof buffer) : 0;
    if (n > 0) received.append(buffer, static_cast<size_t>(n));
    return received.find(']') != std::string::npos;
  })) << "no frame";
  ::close(fd);

  const auto sent = run.sentFrames();
  const std::string first = received.substr(0, received.find(']') + 1);
  size_t at = sent.size();
  while (at > 0 && sent[at - 1].text != first) --at;
  ASSERT_GT(at, 0u) << "not a frame the board sent: " << first;
  // At most about three frames wait for a reader: the first one it gets was
  // sent no earlier than the last three before it opened the port.
  EXPECT_GE(at - 1 + 3, sentBeforeOpen) << "frame " << at << " of " << sentBeforeOpen;
  EXPECT_TRUE(run.board().running());
  EXPECT_TRUE(run.board().stop(SIGTERM, 3000)) << "did not stop on SIGTERM";
  EXPECT_FALSE(std::filesystem::is_symlink(run.file("com" + std::to_string(port))));
}

}  // namespace
}  // namespace tamsel::e2e
