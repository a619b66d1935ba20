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

TEST(FrameAssembly, SplitAcrossReadsIsTakenOnceWhenItsBracketArrives) {
  FrameAssembler a;
  auto frames = feed(a, {"[<V>512</V><I>3", "00</I><R>20</R>", "<S>5</S><C>837</C>]"});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]");
  EXPECT_EQ(a.rxBuffer(), "[");
}

TEST(FrameAssembly, TwoFramesInOneReadAreBothTaken) {
  FrameAssembler a;
  auto frames = feed(a, {"[<V>1</V>][<V>2</V>]"});
  EXPECT_EQ(frames, (std::vector<std::string>{"[<V>1</V>]", "[[<V>2</V>]"}));
  EXPECT_EQ(a.rxBuffer(), "[");
}

TEST(FrameAssembly, TextAfterTheBracketStartsTheNextFrame) {
  FrameAssembler a;
  auto frames = feed(a, {"[<V>1</V>]\r\n[<V>2</V><I>", "3</I>]"});
  EXPECT_EQ(frames, (std::vector<std::string>{"[<V>1</V>]", "[\r\n[<V>2</V><I>3</I>]"}));
}

TEST(FrameAssembly, BracketsInAnyOrderCompleteAFrame) {
  FrameAssembler a;
  auto frames = feed(a, {"junk]", "more[<V>1</V>"});
  // "]" then "[": the whole buffer up to the "]" is one (fieldless) frame.
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], "junk]");
  EXPECT_EQ(a.rxBuffer(), "[more[<V>1</V>");
}

TEST(FrameAssembly, NoOpeningBracketMeansNoFrame) {
  FrameAssembler a;
  EXPECT_TRUE(feed(a, {"<V>1</V>]"}).empty());
  EXPECT_EQ(a.rxBuffer(), "<V>1</V>]");
}

TEST(FrameAssembly, TextWithoutClosingBracketStaysBounded) {
  FrameAssembler a;
  const std::string junk(1 << 20, 'x');
  EXPECT_TRUE(feed(a, {"[<V>5", junk}).empty());
  EXPECT_LE(a.rxBuffer().size(), FrameAssembler::kMaxBuffer);
  EXPECT_EQ(a.rxBuffer(), "[");
  // A recent frame start survives the trimming and completes normally.
  auto frames = feed(a, {std::string(5000, 'y') + "[<V>7</V>", "]"});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], "[<V>7</V>]");
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

TEST(FrameAssembly, NulAndBinaryBytesPassThrough) {
  FrameAssembler a;
  const std::string bytes("[\0\xff<V>1</V>]", 12);
  auto frames = feed(a, {bytes});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], bytes);
}

}  // namespace
}  // namespace tamsel

namespace tamsel {
namespace {

TEST(FrameAssembly, AHugeReadOfFramesIsTakenInLinearTimeAndBounded) {
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
  EXPECT_LE(longest, FrameAssembler::kMaxBuffer);
  EXPECT_EQ(a.rxBuffer(), "[");
}

TEST(FrameAssembly, AnOversizeFrameKeepsItsNewestStart) {
  FrameAssembler a;
  std::vector<std::string> frames;
  a.append("[" + std::string(9000, 'x') + "[<V>3</V>]");
  a.takeFrames([&](std::string_view f) { frames.emplace_back(f); });
  EXPECT_EQ(frames, std::vector<std::string>{"[<V>3</V>]"});
}

}  // namespace
}  // namespace tamsel
