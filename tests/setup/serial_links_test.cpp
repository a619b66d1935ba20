#include "setup/serial_links.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "support/temp_folder.h"

namespace tamsel {

void PrintTo(const DevicePort& port, std::ostream* out) {
  *out << port.device << " -> " << (port.port ? std::to_string(*port.port) : "none");
}

namespace {

namespace fs = std::filesystem;

// A machine in a folder: stand-in device files under dev/, their stable names
// under by-id/ (one relative link, as udev makes them, one absolute), and an
// empty program folder.
class SerialLinks : public ::testing::Test {
 protected:
  SerialLinks() {
    fs::create_directories(folder.file("dev"));
    fs::create_directories(folder.file("by-id"));
    fs::create_directories(program);
    for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyACM0"})
      folder.write(std::string("dev/") + name, "");
    fs::create_symlink("../dev/ttyUSB0", folder.file("by-id/usb-FTDI_FT232R_A1-if00-port0"));
    fs::create_symlink(usb1, folder.file("by-id/usb-Prolific_PL2303-if00-port0"));
  }
  void link(const std::string& name, const std::string& target) const {
    fs::create_symlink(target, program + "/" + name);
  }

  test::TempFolder folder;
  const std::string program = folder.file("program");
  const std::string byId = folder.file("by-id");
  const std::string usb0 = folder.file("dev/ttyUSB0");
  const std::string usb1 = folder.file("dev/ttyUSB1");
  const std::string acm0 = folder.file("dev/ttyACM0");
};

TEST_F(SerialLinks, EachDeviceGetsTheLowestPortNumberThatOpensIt) {
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // name in the program folder, target
    std::vector<DevicePort> found;  // the devices in the order listed, and what reaches each
  } cases[] = {
      {"defaults only", {}, {{usb0, {}}, {"/dev/ttyS3", 4}, {"/dev/ttyS0", 1}}},
      {"link to the device", {{"com3", usb0}}, {{usb0, 3}, {usb1, {}}}},
      {"link through a by-id name",
       {{"com2", byId + "/usb-FTDI_FT232R_A1-if00-port0"}},
       {{usb0, 2}}},
      {"a link hides the default", {{"com1", usb1}}, {{"/dev/ttyS0", {}}, {usb1, 1}}},
      {"two links, the lower wins", {{"com5", usb0}, {"com2", usb0}}, {{usb0, 2}}},
      {"names that are no port number",
       {{"com03", usb0}, {"com0", usb0}, {"com", usb0}, {"com1x", usb0}, {"COM4", usb0}},
       {{usb0, {}}}},
      {"a dangling link reaches nothing", {{"com4", folder.file("dev/gone")}}, {{usb0, {}}}},
  };
  for (const auto& c : cases) {
    fs::remove_all(program);
    fs::create_directories(program);
    for (const auto& [name, target] : c.links) link(name, target);
    std::vector<std::string> devices;
    for (const DevicePort& found : c.found) devices.push_back(found.device);
    std::vector<DevicePort> expected = c.found;
    std::sort(expected.begin(), expected.end(),
              [](const DevicePort& a, const DevicePort& b) { return a.device < b.device; });
    EXPECT_EQ(devicePorts(program, devices), expected) << c.what;
  }
}

}  // namespace
}  // namespace tamsel
