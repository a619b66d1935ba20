#include "pty_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace sim {
namespace {

namespace fs = std::filesystem;

TEST(PtyPort, LinksTheDeviceAndRemovesTheLinkWhenDone) {
  tamsel::test::TempFolder folder;
  const std::string link = folder.file("com4");
  std::string device;
  {
    std::string error;
    auto port = PtyPort::open(link, &error);
    ASSERT_TRUE(port) << error;
    device = port->deviceName();
    EXPECT_EQ(fs::read_symlink(link).string(), device);
  }
  EXPECT_FALSE(fs::is_symlink(link));
}

TEST(PtyPort, ReplacesAStaleLink) {
  tamsel::test::TempFolder folder;
  const std::string link = folder.file("com5");
  fs::create_symlink("/dev/pts/does-not-exist", link);
  std::string error;
  auto port = PtyPort::open(link, &error);
  ASSERT_TRUE(port) << error;
  EXPECT_EQ(fs::read_symlink(link).string(), port->deviceName());
}

TEST(PtyPort, LeavesALinkAnotherBoardTookOver) {
  tamsel::test::TempFolder folder;
  const std::string link = folder.file("com6");
  std::string error;
  auto first = PtyPort::open(link, &error);
  auto second = PtyPort::open(link, &error);
  ASSERT_TRUE(first && second) << error;
  first.reset();
  EXPECT_EQ(fs::read_symlink(link).string(), second->deviceName());
}

TEST(PtyPort, WritesNeverWaitWhenNobodyReads) {
  tamsel::test::TempFolder folder;
  std::string error;
  auto port = PtyPort::open(folder.file("com7"), &error);
  ASSERT_TRUE(port) << error;
  const std::string chunk(4096, 'x');
  long total = 0;
  long taken = 0;
  do {
    taken = port->writeSome(chunk);
    ASSERT_GE(taken, 0);
    total += taken;
    ASSERT_LT(total, 64L << 20) << "the line never filled up";
  } while (taken > 0);
  // Once a reader drains the line, it takes bytes again.
  const int reader = ::open(port->deviceName().c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  ASSERT_GE(reader, 0);
  char buffer[65536];
  while (::read(reader, buffer, sizeof buffer) > 0) {
  }
  EXPECT_GT(port->writeSome(chunk), 0);
  ::close(reader);
}

TEST(PtyPort, WhatWaitsUnreadIsCountedAndCanBeThrownAway) {
  tamsel::test::TempFolder folder;
  std::string error;
  auto port = PtyPort::open(folder.file("com8"), &error);
  ASSERT_TRUE(port) << error;
  EXPECT_EQ(port->waitingOutput(), 0);
  ASSERT_EQ(port->writeSome("[old one][old two]"), 18);
  // The device takes the bytes a moment after the write.
  for (int k = 0; k < 200 && port->waitingOutput() < 18; ++k) ::usleep(5000);
  EXPECT_EQ(port->waitingOutput(), 18);
  port->discardWaitingOutput();
  EXPECT_EQ(port->waitingOutput(), 0);

  const int reader = ::open(port->deviceName().c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(port->writeSome("[fresh]"), 7);
  std::string received;
  char buffer[64];
  for (int k = 0; k < 200 && received.size() < 7; ++k) {
    const ssize_t n = ::read(reader, buffer, sizeof buffer);
    if (n > 0)
      received.append(buffer, static_cast<size_t>(n));
    else
      ::usleep(5000);
  }
  EXPECT_EQ(received, "[fresh]");
  ::close(reader);
}

}  // namespace
}  // namespace sim
