#pragma once
// A Wayland compositor of the test's own: weston with no screen, its socket
// in a private runtime folder, logging every request its clients make, so a
// test can read what a window told the compositor (its title).
#include <string>
#include <vector>

#include "support/child_process.h"

namespace tamsel::e2e {

class WaylandCompositor {
 public:
  // Starts weston with its runtime folder (0700) and log under `folder`;
  // true once its socket is there.
  bool start(const std::string& folder);
  // A client's environment: the Wayland platform on this compositor, and no
  // X display to fall back on.
  test::ChildEnvironment clientEnvironment() const;
  // Every title a window has set, in order.
  std::vector<std::string> titles() const;
  std::string log() const;

 private:
  std::string runtimeFolder_;
  std::string logPath_;
  test::ChildProcess weston_;
};

}  // namespace tamsel::e2e
