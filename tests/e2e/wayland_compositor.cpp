#include "e2e/wayland_compositor.h"

#include <sys/stat.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/harness.h"

namespace tamsel::e2e {
namespace {

constexpr const char* kSocket = "tamsel-e2e";

}  // namespace

bool WaylandCompositor::start(const std::string& folder) {
  runtimeFolder_ = folder + "/wayland-runtime";
  logPath_ = folder + "/weston.log";
  // The compositor and its clients insist on a runtime folder only its owner can enter.
  if (::mkdir(runtimeFolder_.c_str(), 0700) != 0) return false;
  const std::string socket = runtimeFolder_ + "/" + kSocket;
  if (!weston_.start({"/usr/bin/weston", "--backend=headless-backend.so", "--shell=kiosk-shell.so",
                      "--no-config", "--idle-time=0", std::string("--socket=") + kSocket,
                      "--logger-scopes=log,proto", "--log=" + logPath_},
                     folder + "/weston-output.txt",
                     {.display = false, .variables = {"XDG_RUNTIME_DIR=" + runtimeFolder_}})) {
    return false;
  }
  return ProgramRun::waitFor([&] {
    struct stat st {};
    return ::stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
  });
}

test::ChildEnvironment WaylandCompositor::clientEnvironment() const {
  return {.display = false,
          .variables = {"QT_QPA_PLATFORM=wayland", std::string("WAYLAND_DISPLAY=") + kSocket,
                        "XDG_RUNTIME_DIR=" + runtimeFolder_}};
}

std::string WaylandCompositor::log() const {
  std::ifstream in(logPath_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> WaylandCompositor::titles() const {
  static const std::regex request(R"re(xdg_toplevel@\d+\.set_title\("(.*)"\))re");
  std::vector<std::string> out;
  std::istringstream in(log());
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, request)) out.push_back(m[1]);
  }
  return out;
}

}  // namespace tamsel::e2e
