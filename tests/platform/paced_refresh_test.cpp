#include "platform/qt/paced_refresh.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/wait_until.h"

namespace tamsel {
namespace {

using namespace std::chrono_literals;

// Whatever the period, a change is shown only once the event loop is free
// again, so everything one read brought is drawn together; within a period
// any number of changes make one refresh.
TEST(PacedRefresh, ShowsChangesTogetherAtMostOncePerPeriod) {
  int refreshes = 0;
  PacedRefresh quiet(
      1h, [&] { ++refreshes; }, "ScreenTimer", nullptr);
  quiet.changed();
  quiet.changed();
  EXPECT_EQ(refreshes, 0);
  ASSERT_TRUE(test::waitUntil([&] { return refreshes == 1; }, 10000));
  for (int i = 0; i < 100; ++i) quiet.changed();
  QCoreApplication::processEvents();
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(quiet.isDue());
  quiet.refreshNow();
  EXPECT_EQ(refreshes, 2);
  EXPECT_FALSE(quiet.isDue());

  // With no period every change that finds no refresh due is shown at once.
  int unpaced = 0;
  PacedRefresh eager(
      0ms, [&] { ++unpaced; }, "ScreenTimer", nullptr);
  for (int i = 1; i <= 3; ++i) {
    eager.changed();
    ASSERT_TRUE(test::waitUntil([&] { return unpaced == i; }, 10000));
  }
}

}  // namespace
}  // namespace tamsel
