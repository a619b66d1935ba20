#include "pty_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace sim {
namespace {

std::string systemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

// Links `linkPath` to `target` in one step: a new link beside it renamed over it.
bool replaceLink(const std::string& target, const std::string& linkPath, std::string* error) {
  const std::string temporary = linkPath + ".new" + std::to_string(::getpid());
  ::unlink(temporary.c_str());
  if (::symlink(target.c_str(), temporary.c_str()) != 0) {
    *error = systemError("symlink " + temporary);
    return false;
  }
  if (::rename(temporary.c_str(), linkPath.c_str()) != 0) {
    *error = systemError("rename to " + linkPath);
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::string linkTarget(const std::string& linkPath) {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink(linkPath.c_str(), buffer.data(), buffer.size());
  return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

}  // namespace

std::unique_ptr<PtyPort> PtyPort::open(const std::string& linkPath, std::string* error) {
  std::unique_ptr<PtyPort> port(new PtyPort);
  port->master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (port->master_ < 0 || ::grantpt(port->master_) != 0 || ::unlockpt(port->master_) != 0) {
    *error = systemError("pseudo-terminal");
    return nullptr;
  }
  const char* name = ::ptsname(port->master_);
  if (!name) {
    *error = systemError("ptsname");
    return nullptr;
  }
  port->device_ = name;
  port->slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (port->slave_ < 0) {
    *error = systemError("open " + port->device_);
    return nullptr;
  }
  termios tio{};
  if (::tcgetattr(port->slave_, &tio) != 0) {
    *error = systemError("tcgetattr");
    return nullptr;
  }
  ::cfmakeraw(&tio);
  ::tcsetattr(port->slave_, TCSANOW, &tio);
  if (!replaceLink(port->device_, linkPath, error)) return nullptr;
  port->link_ = linkPath;
  return port;
}

PtyPort::~PtyPort() {
  // Leave a link alone that another board has taken over meanwhile.
  if (!link_.empty() && linkTarget(link_) == device_) ::unlink(link_.c_str());
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

long PtyPort::writeSome(std::string_view bytes) {
  if (bytes.empty()) return 0;
  for (;;) {
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    return -1;
  }
}

void PtyPort::discardInput() {
  char buffer[512];
  while (::read(master_, buffer, sizeof buffer) > 0) {
  }
}

// Both look at the device's input side through our own hold on it, which is
// the same queue a logger's open of the device reads from.
// Read from the kernel's list of locks rather than by trying to lock: a try
// that succeeded would hold the lock for a moment, and a logger opening the
// port just then would be told another program has it.
bool PtyPort::readerHoldsLine() const {
  struct stat device {};
  if (::stat(device_.c_str(), &device) != 0) return false;
  char id[64];
  std::snprintf(id, sizeof id, "%02x:%02x:%llu", major(device.st_dev), minor(device.st_dev),
                static_cast<unsigned long long>(device.st_ino));
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string field;
    bool flock = false;
    while (fields >> field) {
      if (field == "FLOCK") flock = true;
      if (flock && field == id) return true;
    }
  }
  return false;
}

long PtyPort::waitingOutput() const {
  int count = 0;
  return ::ioctl(slave_, FIONREAD, &count) == 0 ? count : 0;
}

void PtyPort::discardWaitingOutput() {
  ::tcflush(slave_, TCIFLUSH);
}

}  // namespace sim
