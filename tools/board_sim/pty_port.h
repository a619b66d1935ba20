#pragma once
// The board's end of the serial line: a pseudo-terminal whose other end is
// reachable as comN in a program folder.
#include <memory>
#include <string>
#include <string_view>

namespace sim {

class PtyPort {
 public:
  // Opens a pseudo-terminal in raw mode and links `linkPath` to its device,
  // replacing whatever link stood there. Null with the reason on failure.
  static std::unique_ptr<PtyPort> open(const std::string& linkPath, std::string* error);
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  // Writes what the line takes now without waiting: the number of bytes
  // taken (0 when its buffer is full), -1 when the line failed.
  long writeSome(std::string_view bytes);
  // Discards anything the other side wrote (a logger never should).
  void discardInput();
  // Bytes written that no reader has taken yet, and throwing them away.
  long waitingOutput() const;
  void discardWaitingOutput();

  // Whether a logger has the line: it locks the device while it has it open.
  bool readerHoldsLine() const;

  int masterFd() const { return master_; }
  const std::string& deviceName() const { return device_; }
  const std::string& linkPath() const { return link_; }

 private:
  PtyPort() = default;

  int master_ = -1;
  // Our own hold on the device: without it, each time the logger closes the
  // port the line hangs up, and writes with nobody reading could block. It is
  // also where the board sees what waits unread.
  int slave_ = -1;
  std::string device_;
  std::string link_;
};

}  // namespace sim
