#pragma once
// When to throw away frames waiting unread on the line. The board holds the
// device open itself, so with no logger on the port its frames would pile up
// there and greet the next logger as one stale burst. A logger that reads
// keeps the pile small; one that took nothing for a while is taken to be gone.
#include <cstddef>
#include <optional>

namespace sim {

class StaleInput {
 public:
  // `patience`: seconds a reader may take nothing before what waits is
  // thrown away; a reader busy elsewhere for a moment loses no frames.
  explicit StaleInput(double patience) : patience_(patience) {}

  // Called at each frame time with the bytes unread now, the most that may
  // wait (about two frames) and the time in seconds. True: throw the waiting
  // bytes away now.
  bool shouldFlush(std::size_t waiting, std::size_t limit, double now);
  // Whether a reader took bytes within its patience, as of the last look.
  bool readerThere(double now) const { return lastTaken_ && now - *lastTaken_ < patience_; }
  // The bytes the line took since the last look.
  void wrote(std::size_t bytes) { wroteSinceLook_ += bytes; }

  // Below this many unread bytes the line's input buffer holds all the line
  // took, so fewer than expected means a reader took some. Above it the
  // device buffers elsewhere too, and only a fall in the count tells.
  static constexpr std::size_t kCountable = 2048;

 private:
  double patience_;
  std::optional<double> lastTaken_;  // when a reader last took bytes
  std::size_t waitingAtLook_ = 0;
  std::size_t wroteSinceLook_ = 0;
};

}  // namespace sim
