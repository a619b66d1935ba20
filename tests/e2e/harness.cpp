#include "e2e/harness.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>

#include "config/mqtt_config.h"
#include "support/pseudo_terminal.h"

namespace tamsel::e2e {
namespace fs = std::filesystem;

ProgramRun::ProgramRun() {
  std::error_code error;
  fs::copy_file(TAMSEL_BINARY, folder_.file("tamsel"), fs::copy_options::overwrite_existing, error);
}

std::string ProgramRun::read(const std::string& name) const {
  const std::string text = folder_.read(name);
  return text == "<missing>" ? std::string() : text;
}

int ProgramRun::configure(int portOffset, const std::function<void(ProgramConfig&)>& change) const {
  const int port = test::uniquePortNumber(portOffset);
  ProgramConfig config = setupDefaults();
  config.Port = std::to_string(port);
  config.LogDelay = "1";
  config.LogOn = "1";
  config.DisplayWS = "1";
  config.SV = "12";
  config.BR = "9600";
  if (change) change(config);
  write("prog.cfg", programConfigText(config));
  return port;
}

void ProgramRun::publishTo(int brokerPort) const {
  MqttConfig mqtt;
  mqtt.Enabled = "1";
  mqtt.Host = "127.0.0.1";
  mqtt.Port = std::to_string(brokerPort);
  mqtt.ClientId = "e2e";
  mqtt.Topic = "tamsel/e2e";
  mqtt.Interval = "1";
  write("mqtt.cfg", mqttConfigText(mqtt));
}

void ProgramRun::write(const std::string& name, const std::string& content) const {
  fs::create_directories(fs::path(file(name)).parent_path());
  folder_.write(name, content);
}

bool ProgramRun::startBoard(int port, const std::vector<std::string>& extraArgs) {
  std::vector<std::string> argv{BOARD_SIM_BINARY, "--folder",           folder(),
                                "--port",         std::to_string(port), "--write-settings",
                                "--sent-log",     file("sent.txt")};
  argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
  const std::string link = file("com" + std::to_string(port));
  auto linkInode = [&]() -> ino_t {
    struct stat st {};
    return ::lstat(link.c_str(), &st) == 0 ? st.st_ino : 0;
  };
  const ino_t before = linkInode();
  if (!board_.start(argv, file("board-output.txt"))) return false;
  // Up when its link is there: a new one, even where an old board left one
  // behind pointing at a device of the same name.
  return waitFor([&] { return linkInode() != 0 && linkInode() != before; },
                 std::chrono::seconds(5));
}

bool ProgramRun::startProgram(const std::vector<std::string>& arguments,
                              const ChildEnvironment& environment) {
  std::vector<std::string> argv{file("tamsel")};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return fs::exists(file("tamsel")) &&
         program_.start(argv, file("program-output.txt"), environment);
}

bool ProgramRun::waitFor(const std::function<bool()>& condition,
                         std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

std::vector<std::string> ProgramRun::lines(const std::string& name) const {
  const std::string text = read(name);
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
    out.push_back(text.substr(from, at - from));
  }
  return out;
}

std::vector<std::string> ProgramRun::filesMatching(const std::string& subfolder,
                                                   const std::string& pattern) const {
  std::vector<std::string> out;
  const std::regex re(pattern);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(file(subfolder), error)) {
    const std::string name = entry.path().filename().string();
    if (std::regex_match(name, re)) out.push_back(subfolder + "/" + name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> ProgramRun::recordLines() const {
  std::vector<std::string> out;
  for (const auto& name : filesMatching("logs", R"(P_\d{4}_\d\d_\d\d\.txt)")) {
    for (auto& line : lines(name)) {
      if (!line.empty()) out.push_back(std::move(line));
    }
  }
  return out;
}

std::vector<ProgramRun::SentFrame> ProgramRun::sentFrames() const {
  std::vector<SentFrame> out;
  std::istringstream in(read("sent.txt"));
  static const std::regex re(
      R"(^(\[.*\])\tvolts=(\S+) amps=(\S+) watts=(\S+) rpm=\S+ wind=\S+ checksum=(ok|bad)$)");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, re)) continue;
    out.push_back({m[1], std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5] == "bad"});
  }
  return out;
}

size_t linesHolding(const std::vector<std::string>& lines, const std::string& part) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.find(part) != std::string::npos;
  }));
}

std::string dump(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

std::string todayStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y_%m_%d", &local);
  return text;
}

}  // namespace tamsel::e2e
