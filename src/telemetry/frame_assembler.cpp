#include "telemetry/frame_assembler.h"

namespace tamsel {

size_t FrameAssembler::frameStart(size_t start, size_t close) const {
  if (close + 1 - start <= kMaxRxBuffer) return start;
  // The newest "[" if it is near enough, else just the newest text.
  const size_t oldestKept = close + 1 - kMaxRxBuffer;
  const size_t lastOpen = rxBuffer_.rfind('[', close);
  return lastOpen != std::string::npos && lastOpen >= oldestKept ? lastOpen : oldestKept;
}

// Out of line: inlined into a caller, g++ 12 warns falsely on the assign.
void FrameAssembler::dropPending() {
  if (!rxBuffer_.empty()) rxBuffer_.assign("[");
}

void boundRxBuffer(std::string& rxBuffer) {
  if (rxBuffer.size() <= kMaxRxBuffer) return;
  // Keep the newest frame start if it fits; a run that long is noise anyway.
  const size_t lastOpen = rxBuffer.rfind('[');
  if (lastOpen != std::string::npos && rxBuffer.size() - lastOpen <= kMaxRxBuffer) {
    rxBuffer.erase(0, lastOpen);
  } else {
    rxBuffer.assign("[");
  }
  rxBuffer.shrink_to_fit();
}

}  // namespace tamsel
