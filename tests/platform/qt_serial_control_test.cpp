// The serial control against a real pseudo-terminal: what a USB serial
// adapter does, including being pulled out while the port is open.
#include "platform/serial/qt_serial_control.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <memory>

#include "support/pseudo_terminal.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace tamsel {
namespace {

using test::PseudoTerminal;
using test::waitUntil;

class QtSerialControlOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device->ok());
    ASSERT_TRUE(device->linkAs(link()));
    QObject::connect(&control, &SerialControl::received, [this](const QByteArray& text) {
      EXPECT_FALSE(text.isEmpty()) << "a read that found nothing was handed on";
      received += text;
      ++receivedCount;
    });
    QObject::connect(&control, &SerialControl::lost, [this](const QString& description) {
      ++lostCount;
      lostDescription = description;
    });
    QObject::connect(&control, &SerialControl::restored, [this] { ++restoredCount; });
  }

  std::string link() const { return folder.file("com" + std::to_string(port)); }
  Status openPort() { return control.open(port, "9600,N,8,1"); }

  test::TempFolder folder;
  // Each test program running at the same time gets a port of its own.
  const int port = test::uniquePortNumber();
  std::unique_ptr<PseudoTerminal> device = std::make_unique<PseudoTerminal>();
  QtSerialControl control{folder.path()};
  QByteArray received;
  int receivedCount = 0;
  int lostCount = 0;
  QString lostDescription;
  int restoredCount = 0;
};

TEST_F(QtSerialControlOnPty, AClosedPortOpensAgainAndAnOpenOneNotTwice) {
  EXPECT_FALSE(control.open(0, "9600,N,8,1"));
  EXPECT_FALSE(control.isOpen());

  ASSERT_TRUE(openPort());
  EXPECT_EQ(control.commPort(), port);
  EXPECT_EQ(control.settings(), "9600,N,8,1");
  QtSerialControl other(folder.path());
  EXPECT_EQ(other.open(port, "9600,N,8,1").error, link() + ": in use by another program");
  EXPECT_TRUE(control.isOpen());
  control.close();
  EXPECT_FALSE(control.isOpen());
  const Status opened = openPort();
  EXPECT_TRUE(opened) << opened.error;
}

// A port held by another program is busy, not forbidden: the dialout hint
// would send the user after the wrong fault.
TEST_F(QtSerialControlOnPty, OpenFailuresNameTheDeviceAndTheReason) {
  folder.write("plain.txt", "not a terminal");
  const int held = ::open(device->deviceName().c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  struct Case {
    std::string target;
    std::string settings;
    std::string reason;
  };
  const Case cases[] = {
      {folder.file("nothing-here"), "9600,N,8,1", "No such file or directory"},
      {folder.file("plain.txt"), "9600,N,8,1", "Inappropriate ioctl for device"},
      {device->deviceName(), "9600,N,8,1", "in use by another program"},
      {folder.file("plain.txt"), "9601,N,8,1", "9601 baud is not a speed this system offers"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target + " " + c.settings);
    ASSERT_TRUE(test::pointLink(link(), c.target));
    EXPECT_EQ(control.open(port, c.settings).error, link() + ": " + c.reason);
    EXPECT_FALSE(control.isOpen());
  }
  ::close(held);
}

// Frames written faster than the control reads arrive whole and in order,
// several to a read. Each frame is in the device before the loop turns, so a
// control reading on every readiness would hand on each alone.
TEST_F(QtSerialControlOnPty, AFastBoardIsReadSeveralFramesAtATimeLosingNothing) {
  ASSERT_TRUE(openPort());
  const int watcher = ::open(device->deviceName().c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(watcher, 0);
  const auto deviceHoldsBytes = [&] {
    pollfd waiting{watcher, POLLIN, 0};
    return ::poll(&waiting, 1, 20000) == 1;
  };
  QByteArray sent;
  constexpr int kFrames = 50;
  for (int i = 0; i < kFrames; ++i) {
    const std::string frame = "[<V>" + std::to_string(i) + "</V>]";
    ASSERT_TRUE(device->send(frame));
    sent += frame;
    ASSERT_TRUE(deviceHoldsBytes());
    QCoreApplication::processEvents();
  }
  ::close(watcher);
  ASSERT_TRUE(waitUntil([&] { return received.size() >= sent.size(); }, 20000));
  EXPECT_EQ(received, sent);
  EXPECT_LT(receivedCount, kFrames);
  // Quiet again, the line is read as soon as something comes.
  ASSERT_TRUE(device->send("[<V>end</V>]"));
  EXPECT_TRUE(waitUntil([&] { return received.endsWith("[<V>end</V>]"); }, 20000));
}

// A busy line is read often enough that each read takes about a quarter of
// what the system buffers, so no board ever waits for room; a slow one no more
// often than the spacing.
TEST(ReadSpacing, FollowsHowFastTheLineBringsBytes) {
  struct Case {
    std::size_t bytes;
    long long sinceMs;
    int spacingMs;
  };
  const Case cases[] = {
      {0, 5, kReadSpacingMs},      // nothing came
      {384, 40, kReadSpacingMs},   // 200 frames a second
      {48, 1000, kReadSpacingMs},  // one a second
      {4096, 40, 10},              // a full buffer: four times as often
      {1024, 2, 2},
      {100000, 1, 1},  // never a busy loop
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readSpacingMs(c.bytes, c.sinceMs), c.spacingMs) << c.bytes << " in " << c.sinceMs;
  }
}

// A board slower than the read spacing, whether it writes just after a read
// or after a quiet spell, has each write handed on alone and whole.
TEST_F(QtSerialControlOnPty, ASlowBoardIsReadOneWriteAtATime) {
  ASSERT_TRUE(openPort());
  QByteArray sent;
  constexpr int kWrites = 6;
  for (int i = 0; i < kWrites; ++i) {
    const std::string frame = "[<V>" + std::to_string(i) + "</V>]";
    ASSERT_TRUE(device->send(frame));
    sent += frame;
    ASSERT_TRUE(waitUntil([&] { return received.size() >= sent.size(); }, 20000)) << i;
    if (i % 2 == 1) test::runEventsFor(3 * kReadSpacingMs);
  }
  EXPECT_EQ(received, sent);
  EXPECT_EQ(receivedCount, kWrites);
}

// Pulled out, the port is lost once and comes back with the device under the
// same name; once closed, it is no longer tried. (The end-to-end unplug test
// watches that nothing spins while the device is away.)
TEST_F(QtSerialControlOnPty, UnpluggedPortIsLostOnceComesBackAndCloseEndsTheRetries) {
  ASSERT_TRUE(openPort());
  const auto unplug = [&] {
    device->unplug();
    ASSERT_TRUE(test::linkToMissingDevice(link()));
  };
  const auto replug = [&] {
    device = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(device->linkAs(link()));
  };
  unplug();
  ASSERT_TRUE(waitUntil([&] { return lostCount > 0; }, 20000)) << "hang-up not noticed";
  EXPECT_FALSE(control.isOpen());
  EXPECT_TRUE(lostDescription.startsWith("device disconnected (")) << lostDescription.toStdString();
  replug();
  ASSERT_TRUE(waitUntil([&] { return restoredCount > 0; }, 20000)) << "never reopened";
  EXPECT_TRUE(control.isOpen());
  ASSERT_TRUE(device->send("[<V>512</V>]"));
  EXPECT_TRUE(waitUntil([&] { return received == "[<V>512</V>]"; }, 20000));
  EXPECT_EQ(lostCount, 1);
  EXPECT_EQ(restoredCount, 1);

  unplug();
  ASSERT_TRUE(waitUntil([&] { return lostCount > 1; }, 20000));
  control.close();
  replug();
  test::runEventsFor(QtSerialControl::kRetryMs + 700);
  EXPECT_EQ(restoredCount, 1);
  EXPECT_FALSE(control.isOpen());
}

}  // namespace
}  // namespace tamsel
