#pragma once
// Turns received text into frame texts. A frame is taken once the buffer
// holds both "[" and "]": it runs to the first "]". What follows stays for the
// next frame behind a fresh "[", so two frames in one read are both taken.
// Text that never brings a "]" is bounded: the oldest is dropped.
#include <string>
#include <string_view>

namespace tamsel {

class FrameAssembler {
 public:
  static constexpr size_t kMaxBuffer = 4096;

  void append(std::string_view text) { rxBuffer_.append(text); }

  // Calls onFrame(std::string_view frame) for each complete frame, oldest
  // first; the view is valid only during the call.
  template <class OnFrame>
  void takeFrames(OnFrame&& onFrame) {
    for (;;) {
      const size_t close = rxBuffer_.find(']');
      if (close == std::string::npos || rxBuffer_.find('[') == std::string::npos) break;
      onFrame(std::string_view(rxBuffer_.data(), close + 1));
      // Keep the rest behind a new "[": erase up to the "]" and reuse its place.
      rxBuffer_.erase(0, close);
      rxBuffer_[0] = '[';
    }
    bound();
  }

  const std::string& rxBuffer() const { return rxBuffer_; }

 private:
  void bound();

  std::string rxBuffer_;
};

}  // namespace tamsel
