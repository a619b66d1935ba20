#include "frame_plan.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

SimOptions optionsWith(void (*change)(SimOptions&)) {
  SimOptions o;
  o.folder = "/f";
  change(o);
  return o;
}

// Counts that differ from frame to frame, so the order of frames shows.
struct CountingBoard {
  int n = 0;
  Counts operator()() {
    ++n;
    return {500 + n, 200, 5, 8};
  }
};

// Pauses between the pieces make a logger read them apart.
TEST(FramePlan, SplitFrameComesInPausedPiecesThatMakeTheFrame) {
  FramePlanner planner(optionsWith([](SimOptions& o) { o.split = true; }));
  CountingBoard board;
  for (int k = 0; k < 50; ++k) {
    const TickPlan tick = planner.plan(std::ref(board), 0.2);
    ASSERT_GE(tick.writes.size(), 2u);
    std::string bytes = tick.writes[0].bytes;
    for (size_t w = 1; w < tick.writes.size(); ++w) {
      bytes += tick.writes[w].bytes;
      EXPECT_GT(tick.writes[w].pauseBefore, 0);
      EXPECT_LT(tick.writes[w].pauseBefore * tick.writes.size(), 0.2);
      EXPECT_FALSE(tick.writes[w].bytes.empty());
    }
    EXPECT_EQ(bytes, tick.frames.at(0).text);
  }
}

// Garbage holds NUL and binary bytes but nothing that could pass for a frame.
TEST(FramePlan, GarbageFollowsEveryNthFrameAsItsOwnWrite) {
  FramePlanner planner(optionsWith([](SimOptions& o) { o.garbageEvery = 2; }));
  CountingBoard board;
  bool high = false;
  for (int k = 1; k <= 200; ++k) {
    const TickPlan tick = planner.plan(std::ref(board), 0.2);
    ASSERT_EQ(tick.writes.size(), k % 2 == 0 ? 2u : 1u) << "frame " << k;
    EXPECT_EQ(tick.writes[0].bytes, tick.frames[0].text);
    if (tick.writes.size() < 2) continue;
    const std::string& g = tick.writes[1].bytes;
    EXPECT_NE(g.find('\0'), std::string::npos);
    EXPECT_EQ(g.find_first_of("[]<>"), std::string::npos) << g;
    for (unsigned char c : g) high |= c >= 0x80;
  }
  EXPECT_TRUE(high);
}

TEST(FramePlan, NoBracketRunComesOnceAfterTheFirstFramesWhenAReaderIsThere) {
  FramePlanner planner(optionsWith([](SimOptions& o) { o.noBracketRun = 100000; }));
  CountingBoard board;
  int runs = 0;
  for (int k = 0; k < 10; ++k) {
    const bool readerThere = k == 1 || k >= 4;
    const TickPlan tick = planner.plan(std::ref(board), 0.2, UINT64_MAX, readerThere);
    for (const auto& w : tick.writes) {
      if (w.bytes.size() != 100000) continue;
      ++runs;
      EXPECT_EQ(k, 4) << "some frames go first, and a reader is there";
      EXPECT_EQ(tick.runBytes, 100000u) << "for the sent log";
      EXPECT_EQ(w.bytes.find(']'), std::string::npos);
      EXPECT_EQ(w.bytes.find_first_of("<>"), std::string::npos);
    }
    EXPECT_EQ(tick.frames.size(), 1u) << "frames go on around the run";
  }
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace sim
