#include "stale_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace sim {
namespace {

// At each frame time the board looks at what waits unread, maybe throws it
// away, then writes a 50-byte frame. Frames wait for a reader within its
// patience (2 s); with none, at most two frames wait.
TEST(StaleInput, UnreadFramesAreThrownAwayOnlyWhenNoReaderTookAnyForAWhile) {
  struct Story {
    const char* name;
    std::vector<double> at;
    std::vector<size_t> waiting;
    std::vector<double> flushAt;
  };
  const Story stories[] = {
      {"nobody reads",
       {0.0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.2},
       {0, 50, 100, 150, 50, 100, 150},
       {0.6, 1.2}},
      {"a reader took a frame, then the line filled up within its patience and past it",
       {0.0, 0.2, 0.4, 1.0, 2.1, 2.2},
       {0, 0, 50, 150, 4095, 4095},
       {2.2}},
      {"a reader took part of a frame, then closed the port",
       {0.0, 0.2, 0.4, 2.2, 2.4, 2.6, 2.8},
       {0, 20, 70, 4095, 50, 100, 150},
       {2.2, 2.8}},
      {"a full line with fewer bytes waiting than before was read",
       {0.0, 0.2, 0.4, 1.0, 2.5, 3.0},
       {0, 0, 4095, 3000, 3050, 3100},
       {3.0}},
  };
  for (const Story& story : stories) {
    StaleInput stale(2.0);
    for (size_t k = 0; k < story.at.size(); ++k) {
      const bool flush = std::count(story.flushAt.begin(), story.flushAt.end(), story.at[k]) > 0;
      EXPECT_EQ(stale.shouldFlush(story.waiting.at(k), 100, story.at[k]), flush)
          << story.name << ", at " << story.at[k] << " s with " << story.waiting[k] << " waiting";
      stale.wrote(50);
    }
  }
}

}  // namespace
}  // namespace sim
