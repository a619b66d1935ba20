#include "telemetry/frame_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamsel {
namespace {

std::vector<std::string> feed(FrameAssembler& assembler, const std::vector<std::string>& reads) {
  std::vector<std::string> frames;
  for (const std::string& text : reads) {
    assembler.append(text);
    assembler.takeFrames([&](std::string_view f) { frames.emplace_back(f); });
  }
  return frames;
}

// A frame is taken once the buffer holds both a "[" and a "]", in either
// order: everything up to the "]"; a "[" stays to start the next one.
TEST(FrameAssembly, TakesEachFrameOnceItsClosingBracketArrives) {
  const struct {
    const char* why;
    std::vector<std::string> reads;
    std::vector<std::string> frames;
    std::string rest;
  } cases[] = {
      {"split across reads",
       {"[<V>512</V><I>3", "00</I><R>20</R>", "<S>5</S><C>837</C>]"},
       {"[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]"},
       "["},
      {"two frames in one read", {"[<V>1</V>][<V>2</V>]"}, {"[<V>1</V>]", "[[<V>2</V>]"}, "["},
      {"text after the bracket starts the next frame",
       {"[<V>1</V>]\r\n[<V>2</V><I>", "3</I>]"},
       {"[<V>1</V>]", "[\r\n[<V>2</V><I>3</I>]"},
       "["},
      {"\"]\" then \"[\": the buffer up to the \"]\" is one (fieldless) frame",
       {"junk]", "more[<V>1</V>"},
       {"junk]"},
       "[more[<V>1</V>"},
      {"no opening bracket, no frame", {"<V>1</V>]"}, {}, "<V>1</V>]"},
      {"NUL and binary bytes pass through",
       {std::string("[\0\xff<V>1</V>]", 12)},
       {std::string("[\0\xff<V>1</V>]", 12)},
       "["},
  };
  for (const auto& c : cases) {
    FrameAssembler a;
    EXPECT_EQ(feed(a, c.reads), c.frames) << c.why;
    EXPECT_EQ(a.rxBuffer(), c.rest) << c.why;
  }
}

TEST(FrameAssembly, TextWithoutClosingBracketStaysBounded) {
  FrameAssembler a;
  const std::string junk(1 << 20, 'x');
  EXPECT_TRUE(feed(a, {"[<V>5", junk}).empty());
  EXPECT_LE(a.rxBuffer().size(), kMaxRxBuffer);
  EXPECT_EQ(a.rxBuffer(), "[");
  // A recent frame start survives the trimming and completes normally.
  auto frames = feed(a, {std::string(5000, 'y') + "[<V>7</V>", "]"});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], "[<V>7</V>]");
  // An oversize frame keeps its newest start.
  EXPECT_EQ(feed(a, {"[" + std::string(9000, 'x') + "[<V>3</V>]"}),
            std::vector<std::string>{"[<V>3</V>]"});
}

TEST(FrameAssembly, DroppingAnUnpluggedPartFrameIsLikeTakingAFrame) {
  const std::string replugged = "[<V>820</V><I>1350</I><R>0</R><S>0</S><C>2170</C>]";
  FrameAssembler fresh;  // nothing received yet: the first frame reads as ever
  fresh.dropPending();
  EXPECT_EQ(fresh.rxBuffer(), "");
  for (const char* cut : {"[<V>1025</V><I>26", "<V>1025</V>]junk"}) {
    FrameAssembler unplugged;
    feed(unplugged, {cut});
    unplugged.dropPending();
    FrameAssembler tookAFrame;
    feed(tookAFrame, {"[<V>1</V>]"});
    EXPECT_EQ(unplugged.rxBuffer(), tookAFrame.rxBuffer()) << cut;
    EXPECT_EQ(feed(unplugged, {replugged}), feed(tookAFrame, {replugged})) << cut;
  }
}

TEST(FrameAssembly, AHugeReadIsTakenFrameByFrameWithinTheBound) {
  FrameAssembler a;
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "[<V>1</V>]";
  text += std::string(10000, 'x') + "[<V>2</V>]";
  int count = 0;
  size_t longest = 0;
  a.append(text);
  a.takeFrames([&](std::string_view f) {
    ++count;
    longest = std::max(longest, f.size());
  });
  EXPECT_EQ(count, 200001);
  EXPECT_LE(longest, kMaxRxBuffer);
  EXPECT_EQ(a.rxBuffer(), "[");
}

}  // namespace
}  // namespace tamsel
