#include "stale_input.h"

namespace sim {

bool StaleInput::shouldFlush(std::size_t waiting, std::size_t limit, double now) {
  const bool taken = waiting < waitingAtLook_ ||
                     (waiting < kCountable && waiting < waitingAtLook_ + wroteSinceLook_);
  if (taken) lastTaken_ = now;
  wroteSinceLook_ = 0;
  waitingAtLook_ = waiting;
  if (waiting <= limit || readerThere(now)) return false;
  waitingAtLook_ = 0;
  return true;
}

}  // namespace sim
