#include "frame_text.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

TEST(FrameText, ChecksumIsTheSumOrOneMoreForABadFrame) {
  EXPECT_EQ(frameText({512, 300, 20, 5}), "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]");
  EXPECT_EQ(frameText({512, 300, 20, 5}, true),
            "[<V>512</V><I>300</I><R>20</R><S>5</S><C>838</C>]");
}

}  // namespace
}  // namespace sim
