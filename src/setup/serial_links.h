#pragma once
// Which port number reaches each serial device this machine has, and making
// a comN link for a device none reaches. Devices and folders are plain paths,
// so all of it runs on temporary folders and pseudo-terminals as well.
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace tamsel {

// The highest port number the serial control can open.
constexpr int kHighestPortNumber = 32767;

// A serial device found and the port number that opens it, if any does.
struct DevicePort {
  std::string device;  // as the system lists it: "/dev/ttyUSB0"
  std::optional<int> port;

  bool operator==(const DevicePort&) const = default;
};

// The devices in sorted order, each with the lowest port number whose device
// (see deviceForPort) resolves to the same file: a comN in the program
// folder leading to it, or N for /dev/ttyS<N-1> where no comN hides it.
std::vector<DevicePort> devicePorts(const std::string& programFolder,
                                    std::vector<std::string> devices);

// The first device of devicePorts() that no port number reaches.
std::optional<std::string> firstUnreached(const std::vector<DevicePort>& ports);

// The lowest port number free for a new link: no comN of any kind in the
// program folder, and /dev/ttyS<N-1> is not one of the devices (the link
// would hide it). Nullopt when every number up to kHighestPortNumber is taken.
std::optional<int> nextFreePort(const std::string& programFolder,
                                const std::vector<std::string>& devices);

// Where a link to `device` should point: the first name (sorted) in
// `byIdFolder` that resolves to the device, which stays the same when the
// adapter moves to another socket; else the device itself.
std::string linkTarget(const std::string& device, const std::string& byIdFolder);

// Makes comN in the program folder, for the next free N, a symbolic link to
// linkTarget(device); the port number, or why the link could not be made.
Result<int> linkDevice(const std::string& programFolder, const std::string& device,
                       const std::vector<std::string>& devices, const std::string& byIdFolder);

}  // namespace tamsel
