#pragma once
// One serial device held open for reading, raw, at a given speed: the system
// calls under the serial control, free of Qt. The descriptor never blocks, so
// the caller decides when to read.
#include <termios.h>

#include <cstddef>
#include <string>

#include "platform/status.h"

namespace tamsel {

// The longest a busy line is left unread: a frame then waits unseen for no
// time a person could notice, and a fast board is read several frames a wake.
inline constexpr int kReadSpacingMs = 40;
// What a read of a busy line aims to take: a quarter of what the system buffers
// for a reader (4 KiB), so a board as fast as a pseudo-terminal allows never
// waits for room, nor does a real line drop bytes.
inline constexpr std::size_t kReadAimBytes = 1024;

// How long to leave a line that gave `bytes` in `sinceLastReadMs` before
// reading it again: enough to take about kReadAimBytes at that pace, at most
// kReadSpacingMs, at least 1 ms.
int readSpacingMs(std::size_t bytes, long long sinceLastReadMs);

class SerialLine {
 public:
  SerialLine() = default;
  ~SerialLine() { close(); }
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;

  // Opens `device` raw (8 data bits, no parity, one stop bit, no flow
  // control) at `baud`, and locks it against other programs. The failure
  // text names the device.
  Status open(const std::string& device, int baud);
  // Puts back the line settings the device had before open(), then closes it.
  void close();
  bool isOpen() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }

  // Appends everything waiting to `text` (64 KiB at most). Fails with the system's words when
  // the device hung up or broke; what was read before that is still appended.
  Status readWaiting(std::string& text);

 private:
  Status configure(int baud);

  int fd_ = -1;
  termios original_{};
};

}  // namespace tamsel
