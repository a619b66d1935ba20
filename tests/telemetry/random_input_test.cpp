// Whatever the line brings, the receive path neither crashes nor grows:
// random runs of bytes biased towards the frame's own characters.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "telemetry/frame_assembler.h"
#include "telemetry/frame_decoder.h"

namespace tamsel {
namespace {

std::string randomChunk(std::mt19937& rng) {
  static const std::string pieces[] = {
      "[",   "]",    "<V>", "</V>", "<I>", "</I>",  "<R>", "</R>", "<S>",  "</S>",
      "<C>", "</C>", "512", "-3",   "1e9", "1e400", ".",   " ",    "\r\n", std::string(1, '\0')};
  std::uniform_int_distribution<int> count(0, 40);
  std::uniform_int_distribution<int> pick(0, 29);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string chunk;
  for (int n = count(rng); n > 0; --n) {
    const int p = pick(rng);
    if (p < 20) {
      chunk += pieces[p];
    } else {
      chunk += static_cast<char>(byte(rng));
    }
  }
  return chunk;
}

TEST(RandomInput, NeverCrashesAndKeepsTheBufferBounded) {
  const Scale scale = scaleFrom({"40", "100", "20", "1", "2"});
  const Scale broken = scaleFrom({"0", "x", "", "1", "0"});
  std::mt19937 rng(20261206);
  FrameAssembler assembler;
  int frames = 0;
  for (int i = 0; i < 20000; ++i) {
    assembler.append(randomChunk(rng));
    assembler.takeFrames([&](std::string_view frame) {
      ++frames;
      const FrameResult good = decodeFrame(frame, scale);
      const FrameResult bad = decodeFrame(frame, broken);
      if (good.status == FrameStatus::Failed) {
        EXPECT_FALSE(good.failure.empty());
      }
      EXPECT_NE(bad.status, FrameStatus::Decoded);
    });
    ASSERT_LE(assembler.rxBuffer().size(), FrameAssembler::kMaxBuffer);
  }
  EXPECT_GT(frames, 1000);
}

}  // namespace
}  // namespace tamsel
