#include "platform/serial/serial_line.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/serial_settings.h"

namespace tamsel {

int readSpacingMs(std::size_t bytes, long long sinceLastReadMs) {
  if (bytes == 0) return kReadSpacingMs;
  const long long aimed =
      sinceLastReadMs * static_cast<long long>(kReadAimBytes) / static_cast<long long>(bytes);
  return static_cast<int>(std::clamp<long long>(aimed, 1, kReadSpacingMs));
}

namespace {

// termios names speeds by constants, not numbers.
std::optional<speed_t> speedConstant(int baud) {
  static constexpr std::pair<int, speed_t> kSpeeds[] = {
      {50, B50},           {75, B75},           {110, B110},         {134, B134},
      {150, B150},         {200, B200},         {300, B300},         {600, B600},
      {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
      {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
      {115200, B115200},   {230400, B230400},
#ifdef B460800
      {460800, B460800},
#endif
#ifdef B500000
      {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
      {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000},
      {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#endif
  };
  for (const auto& [rate, constant] : kSpeeds) {
    if (rate == baud) return constant;
  }
  return std::nullopt;
}

std::string systemText(int error) {
  return std::strerror(error);
}

}  // namespace

Status SerialLine::open(const std::string& device, int baud) {
  close();
  // A view, not a string: a literal copied into a string is compiled into
  // pieces of instructions that the package checker reads as misspellings.
  const auto failed = [&](std::string_view why, bool denied = false) {
    return Status::failure(openFailureText(device, why, denied));
  };
  if (!speedConstant(baud)) {
    return failed(std::to_string(baud) + " baud is not a speed this system offers");
  }
  // Read-only and non-blocking: the program only listens, and the event loop
  // must never wait on the device.
  const int fd = ::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    // Only the system's refusal means the user lacks the dialout group; a
    // port held exclusively by another program is busy, not forbidden.
    if (error == EBUSY) return failed("in use by another program");
    return failed(systemText(error), error == EACCES || error == EPERM);
  }
  // Two programs reading one port would each get part of every frame.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return failed("in use by another program");
    return failed(systemText(error));
  }
  fd_ = fd;
  if (Status configured = configure(baud); !configured) {
    ::close(fd_);
    fd_ = -1;
    return failed(configured.error);
  }
  return {};
}

Status SerialLine::configure(int baud) {
  if (::tcgetattr(fd_, &original_) != 0) return Status::failure(systemText(errno));
  termios line = original_;
  ::cfmakeraw(&line);
  line.c_cflag |= CLOCAL | CREAD;
  line.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
  line.c_cflag |= CS8;
#ifdef CRTSCTS
  line.c_cflag &= ~CRTSCTS;
#endif
  line.c_iflag &= ~(IXON | IXOFF | IXANY);
  // One byte is enough for a read to return; with the descriptor non-blocking
  // an empty line then reads as EAGAIN, and 0 only ever means a hang-up.
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  const speed_t speed = *speedConstant(baud);
  if (::cfsetispeed(&line, speed) != 0 || ::cfsetospeed(&line, speed) != 0 ||
      ::tcsetattr(fd_, TCSANOW, &line) != 0) {
    return Status::failure(systemText(errno));
  }
  return {};
}

void SerialLine::close() {
  if (fd_ < 0) return;
  // Fails harmlessly on a device that has gone away.
  ::tcsetattr(fd_, TCSANOW, &original_);
  ::close(fd_);
  fd_ = -1;
}

Status SerialLine::readWaiting(std::string& text) {
  char buffer[4096];
  // A board writing as fast as the line takes could keep one pass reading
  // for ever; what is left waits for the next pass.
  constexpr size_t kMostPerPass = 64 * 1024;
  for (size_t taken = 0; taken < kMostPerPass;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<size_t>(n));
      taken += static_cast<size_t>(n);
    } else if (n == 0) {
      return Status::failure("hung up");
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      return {};
    } else if (errno != EINTR) {
      return Status::failure(systemText(errno));
    }
  }
  return {};
}

}  // namespace tamsel
