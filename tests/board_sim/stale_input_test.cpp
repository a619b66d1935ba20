#include "stale_input.h"

#include <gtest/gtest.h>

#include <vector>

namespace sim {
namespace {

constexpr size_t kFrame = 50;
constexpr size_t kLimit = 2 * kFrame;

// One frame time: what waits unread when the board looks, and whether it
// should throw that away; a frame is then written.
struct Look {
  double at;
  size_t waiting;
  bool flush;
};

void play(const std::vector<Look>& looks, const char* story) {
  StaleInput stale(2.0);
  for (const Look& look : looks) {
    EXPECT_EQ(stale.shouldFlush(look.waiting, kLimit, look.at), look.flush)
        << story << ", at " << look.at << " s with " << look.waiting << " bytes waiting";
    stale.wrote(kFrame);
  }
}

TEST(StaleInput, WithNobodyEverReadingAtMostTwoFramesAndOneMoreWait) {
  play({{0.0, 0, false},
        {0.2, 50, false},
        {0.4, 100, false},
        {0.6, 150, true},
        {0.8, 50, false},
        {1.0, 100, false},
        {1.2, 150, true}},
       "nobody reads");
}

TEST(StaleInput, AReaderBusyForAWhileLosesNothingUntilItsPatienceIsOver) {
  play({{0.0, 0, false},
        {0.2, 0, false},  // took the frame: a reader is there
        {0.4, 50, false},
        {0.6, 100, false},
        {1.0, 150, false},
        {2.1, 4095, false},  // the line filled up; still within its patience
        {2.2, 4095, true}},
       "the reader stalls");
}

TEST(StaleInput, AReaderThatLeftIsWaitedForOnceThenTheLineIsKeptFresh) {
  play({{0.0, 0, false},
        {0.2, 20, false},  // took part of the frame
        {0.4, 70, false},
        {0.6, 120, false},
        {2.2, 4095, true},
        {2.4, 50, false},
        {2.6, 100, false},
        {2.8, 150, true}},
       "the reader closed the port");
}

TEST(StaleInput, AFullLineThatDrainsCountsAsRead) {
  play({{0.0, 0, false},
        {0.2, 0, false},
        {0.4, 4095, false},
        {1.0, 3000, false},  // fewer than before: a reader took some
        {2.5, 3050, false},
        {3.0, 3100, true}},
       "a full line");
}

}  // namespace
}  // namespace sim
