// The serial control against a real pseudo-terminal: what a USB serial
// adapter does, including being pulled out while the port is open.
#include "platform/serial/qt_serial_control.h"

#include <gtest/gtest.h>

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
    QObject::connect(&control, &SerialControl::received,
                     [this](const QByteArray& text) { received += text; });
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
  int lostCount = 0;
  QString lostDescription;
  int restoredCount = 0;
};

TEST_F(QtSerialControlOnPty, OpenFailsWithoutAFreeDeviceAndAClosedPortOpensAgain) {
  Status opened = control.open(30000, "9600,N,8,1");  // no com30000, no /dev/ttyS29999
  EXPECT_FALSE(opened);
  EXPECT_FALSE(opened.error.empty());
  EXPECT_FALSE(control.open(0, "9600,N,8,1"));
  EXPECT_FALSE(control.isOpen());

  ASSERT_TRUE(openPort());
  EXPECT_EQ(control.commPort(), port);
  EXPECT_EQ(control.settings(), "9600,N,8,1");
  QtSerialControl other(folder.path());
  EXPECT_FALSE(other.open(port, "9600,N,8,1"));
  EXPECT_TRUE(control.isOpen());
  control.close();
  EXPECT_FALSE(control.isOpen());
  opened = openPort();
  EXPECT_TRUE(opened) << opened.error;
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
