#include "platform/serial_settings.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(PortNumber, WholeNumbersThatFitSixteenBits) {
  struct Case {
    const char* text;
    std::optional<int> port;
  };
  const Case cases[] = {{"3", 3}, {" 12 ", 12},     {"2.5", 2},    {"3.5", 4},
                        {"0", 0}, {"32767", 32767}, {"32768", {}}, {"-32769", {}},
                        {"", {}}, {"COM1", {}},     {"1e3", 1000}};
  for (const Case& c : cases) {
    const Result<int> port = portNumberFromText(c.text);
    EXPECT_EQ(port ? std::optional<int>(*port) : std::nullopt, c.port) << '"' << c.text << '"';
    EXPECT_EQ(port.error().empty(), c.port.has_value()) << c.text;
  }
}

TEST(LineSettings, SpeedWithNoParityEightDataBitsOneStopBit) {
  EXPECT_EQ(baudRateFromSettings("9600,N,8,1"), 9600);
  EXPECT_EQ(baudRateFromSettings(",N,8,1"), std::nullopt);  // an empty BR
  EXPECT_EQ(baudRateFromSettings("fast,N,8,1"), std::nullopt);
  EXPECT_EQ(baudRateFromSettings("9600,E,7,1"), std::nullopt);
  EXPECT_EQ(baudRateFromSettings("9600.5,N,8,1"), std::nullopt);
}

TEST(PortDevice, OpenFailureNamesTheDeviceAndHowToFixARefusedPermission) {
  EXPECT_EQ(openFailureText("/dev/ttyS2", "No such file or directory", false),
            "/dev/ttyS2: No such file or directory");
  EXPECT_EQ(openFailureText("/dev/ttyUSB0", "Permission denied", true),
            "/dev/ttyUSB0: permission denied (the user must be in the dialout group: sudo adduser "
            "$USER dialout, then log out and in again)");
}

}  // namespace
}  // namespace tamsel
