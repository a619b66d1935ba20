#include "app/process/start_line.h"

#include <filesystem>

#include "platform/serial_settings.h"

namespace tamsel {
namespace {

std::string portPart(const StartFacts& f) {
  if (f.port == "0") return "no port (Port is 0 in prog.cfg)";
  std::string part = "port " + f.port;
  if (!f.device.empty()) part += " (" + f.device + ")";
  part += " at " + f.speed + " bits/s, ";
  if (f.portOpen) return part + "open";
  return part + "not open (" + f.portProblem + "), tried again every 2 seconds";
}

std::string loggingPart(const StartFacts& f) {
  if (!f.logOn) return "logging off (LogOn in prog.cfg)";
  const std::string every = "logging every " + f.interval + " s";
  return f.logging ? every : every + " once the port opens";
}

std::string dashboardPart(const StartFacts& f) {
  if (!f.dashboard.empty()) return "dashboard at " + f.dashboard;
  return "dashboard off (" + f.dashboardOff + ")";
}

}  // namespace

std::string startLine(const StartFacts& facts) {
  return "Tamsel logging from " + facts.folder + ": " + portPart(facts) + "; " +
         loggingPart(facts) + "; " + dashboardPart(facts);
}

std::string portDevice(int port, const std::string& programFolder) {
  const std::string device = deviceForPort(port, programFolder);
  std::error_code error;
  const std::filesystem::path path(device);
  if (device.empty() || !std::filesystem::is_symlink(path, error)) return device;
  const auto target = std::filesystem::read_symlink(path, error);
  return path.filename().string() + (error ? std::string() : " -> " + target.string());
}

}  // namespace tamsel
