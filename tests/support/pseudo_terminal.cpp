#include "support/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tamsel::test {

PseudoTerminal::PseudoTerminal() {
  const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  const char* name = (::grantpt(fd) == 0 && ::unlockpt(fd) == 0) ? ::ptsname(fd) : nullptr;
  if (!name) {
    ::close(fd);
    return;
  }
  // Raw mode from the start, so nothing is echoed or translated before the
  // port under test sets its own line settings.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave >= 0) {
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
      ::cfmakeraw(&tio);
      ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::close(slave);
  }
  master_ = fd;
  device_ = name;
}

PseudoTerminal::~PseudoTerminal() {
  unplug();
}

bool PseudoTerminal::linkAs(const std::string& linkPath) const {
  return ok() && pointLink(linkPath, device_);
}

bool pointLink(const std::string& linkPath, const std::string& target) {
  const std::string temporary = linkPath + ".new";
  ::unlink(temporary.c_str());
  return ::symlink(target.c_str(), temporary.c_str()) == 0 &&
         ::rename(temporary.c_str(), linkPath.c_str()) == 0;
}

bool linkToMissingDevice(const std::string& linkPath) {
  return pointLink(linkPath, "/dev/tamsel-test-unplugged");
}

bool PseudoTerminal::send(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void PseudoTerminal::unplug() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

int uniquePortNumber(int offset) {
  return 1000 + (::getpid() % 3000) * 10 + offset;
}

}  // namespace tamsel::test
