#include "platform/serial_settings.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(PortDevice, OpenFailureNamesTheDeviceAndHowToFixARefusedPermission) {
  EXPECT_EQ(openFailureText("/dev/ttyS2", "No such file or directory", false),
            "/dev/ttyS2: No such file or directory");
  EXPECT_EQ(openFailureText("/dev/ttyUSB0", "Permission denied", true),
            "/dev/ttyUSB0: permission denied (the user must be in the dialout group: sudo adduser "
            "$USER dialout, then log out and in again)");
}

}  // namespace
}  // namespace tamsel
