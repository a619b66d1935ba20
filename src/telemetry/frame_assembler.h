#pragma once
// Turns received text into frame texts. A frame is taken once the buffer
// holds both "[" and "]": it runs to the first "]". What follows stays for the
// next frame behind a fresh "[", so two frames in one read are both taken.
// Text that never brings a "]" is bounded: the oldest is dropped.
#include <string>
#include <string_view>

namespace tamsel {

// The bound every receive buffer keeps, whatever takes frames out of it: text
// that never brings a "]" (a modem or a GPS on the wrong port) must not grow
// it without end. Past kMaxRxBuffer bytes the oldest text goes, keeping the
// newest "[" onwards when that fits, else just "[".
inline constexpr size_t kMaxRxBuffer = 4096;
void boundRxBuffer(std::string& rxBuffer);

class FrameAssembler {
 public:
  void append(std::string_view text) { rxBuffer_.append(text); }

  // Calls onFrame(std::string_view frame) for each complete frame, oldest
  // first; the view is valid only during the call. A frame longer than the
  // buffer bound (one huge read of noise) is cut to its newest part.
  template <class OnFrame>
  void takeFrames(OnFrame&& onFrame) {
    size_t start = 0;
    if (rxBuffer_.find('[') != std::string::npos) {
      for (size_t close; (close = rxBuffer_.find(']', start)) != std::string::npos;) {
        const size_t from = frameStart(start, close);
        onFrame(std::string_view(rxBuffer_.data() + from, close + 1 - from));
        // What follows stays behind a new "[", which takes the "]"'s place.
        start = close;
        rxBuffer_[start] = '[';
      }
    }
    rxBuffer_.erase(0, start);  // once, however many frames one read brought
    boundRxBuffer(rxBuffer_);
  }

  // A new connection starts clean: the part frame an unplug cut off is
  // dropped, leaving the buffer as a frame just taken leaves it ("["), so
  // the old connection's stale fields never mix into the next frame. A
  // buffer that never held anything stays empty, so the very first frame
  // reads as it always has.
  void dropPending();

  const std::string& rxBuffer() const { return rxBuffer_; }

 private:
  size_t frameStart(size_t start, size_t close) const;

  std::string rxBuffer_;
};

}  // namespace tamsel
