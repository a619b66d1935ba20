#include "telemetry/frame_assembler.h"

namespace tamsel {

void FrameAssembler::bound() {
  if (rxBuffer_.size() <= kMaxBuffer) return;
  // Keep the newest frame start if it fits; a run that long is noise anyway.
  const size_t lastOpen = rxBuffer_.rfind('[');
  if (lastOpen != std::string::npos && rxBuffer_.size() - lastOpen <= kMaxBuffer) {
    rxBuffer_.erase(0, lastOpen);
  } else {
    rxBuffer_.assign("[");
  }
  rxBuffer_.shrink_to_fit();
}

}  // namespace tamsel
