#include "setup/serial_links.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "platform/serial_settings.h"

namespace tamsel {
namespace {

namespace fs = std::filesystem;

// The file a path leads to once every link is followed; the path itself
// when it leads nowhere, so a dangling link matches no device.
std::string resolved(const std::string& path) {
  std::error_code error;
  const fs::path real = fs::canonical(path, error);
  return error ? path : real.string();
}

// N for "<prefix>N" written as the program writes numbers (no sign, no
// leading zero), within the port numbers that open; `offset` is added first.
std::optional<int> numberAfter(const std::string& name, const std::string& prefix, int offset) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return {};
  const std::string digits = name.substr(prefix.size());
  if (digits.size() > 5 || (digits.size() > 1 && digits[0] == '0')) return {};
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {};
  }
  const int number = std::stoi(digits) + offset;
  if (number < 1 || number > kHighestPortNumber) return {};
  return number;
}

// The port numbers that have a comN in the folder, whatever it is.
std::vector<int> comNumbers(const std::string& programFolder) {
  std::vector<int> numbers;
  std::error_code error;
  for (fs::directory_iterator entry(programFolder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (auto n = numberAfter(entry->path().filename().string(), "com", 0)) numbers.push_back(*n);
  }
  return numbers;
}

std::string comPath(const std::string& programFolder, int port) {
  return programFolder + "/com" + std::to_string(port);
}

}  // namespace

std::vector<DevicePort> devicePorts(const std::string& programFolder,
                                    std::vector<std::string> devices) {
  std::sort(devices.begin(), devices.end());
  devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
  std::vector<int> candidates = comNumbers(programFolder);
  for (const std::string& device : devices) {
    if (auto n = numberAfter(device, "/dev/ttyS", 1)) candidates.push_back(*n);
  }
  std::sort(candidates.begin(), candidates.end());
  // What each candidate opens, asked of deviceForPort so the answer is the
  // serial control's own; emplace keeps the lowest number for each file.
  std::map<std::string, int> portOf;
  for (int port : candidates) portOf.emplace(resolved(deviceForPort(port, programFolder)), port);
  std::vector<DevicePort> ports;
  for (std::string& device : devices) {
    auto found = portOf.find(resolved(device));
    ports.push_back({std::move(device),
                     found == portOf.end() ? std::nullopt : std::optional<int>(found->second)});
  }
  return ports;
}

std::optional<std::string> firstUnreached(const std::vector<DevicePort>& ports) {
  for (const DevicePort& port : ports) {
    if (!port.port) return port.device;
  }
  return std::nullopt;
}

std::optional<int> nextFreePort(const std::string& programFolder,
                                const std::vector<std::string>& devices) {
  std::set<std::string> found;
  for (const std::string& device : devices) found.insert(resolved(device));
  for (int port = 1; port <= kHighestPortNumber; ++port) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(comPath(programFolder, port), error))) continue;
    if (found.count(resolved("/dev/ttyS" + std::to_string(port - 1)))) continue;
    return port;
  }
  return std::nullopt;
}

std::string linkTarget(const std::string& device, const std::string& byIdFolder) {
  const std::string real = resolved(device);
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(byIdFolder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (resolved(entry->path().string()) == real) names.push_back(entry->path().string());
  }
  if (names.empty()) return device;
  return *std::min_element(names.begin(), names.end());
}

Result<int> linkDevice(const std::string& programFolder, const std::string& device,
                       const std::vector<std::string>& devices, const std::string& byIdFolder) {
  const std::optional<int> port = nextFreePort(programFolder, devices);
  if (!port) return Status::failure("Could not link " + device + ": every port number is taken");
  const std::string link = comPath(programFolder, *port);
  std::error_code error;
  fs::create_symlink(linkTarget(device, byIdFolder), link, error);
  if (error)
    return Status::failure("Could not link " + device + " as " + link + ": " + error.message());
  return *port;
}

}  // namespace tamsel
