#include "wind_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frame_text.h"

namespace sim {
namespace {

// An hour of frames at 5 per second, for a few seeds.
class WindModelHour : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(WindModelHour, StaysPlausibleAndInsideTheFrameRange) {
  WindModel model(GetParam());
  double minWind = 1e9, maxWind = 0, maxWatts = 0;
  for (int k = 0; k < 5 * 3600; ++k) {
    const WindState& s = model.step(0.2);
    ASSERT_GE(s.volts, WindModel::kMinVolts);
    ASSERT_LE(s.volts, WindModel::kMaxVolts);
    ASSERT_GE(s.wind, 0);
    ASSERT_GE(s.rpm, 0);
    ASSERT_LE(s.rpm, WindModel::kMaxRpm);
    if (s.rpm <= WindModel::kCutInRpm) {
      ASSERT_EQ(s.watts, 0);
    }
    minWind = std::min(minWind, s.wind);
    maxWind = std::max(maxWind, s.wind);
    maxWatts = std::max(maxWatts, s.watts);
    const Counts c = WindModel::countsFor(s, Calibration{});
    ASSERT_GT(c.v, 0) << "a frame with no volts is thrown away by a logger";
    ASSERT_LT(checksumOf(c), 8000) << "the checksum must stay well inside 16 bits";
  }
  EXPECT_GT(maxWind - minWind, 5) << "gusts and lulls";
  EXPECT_GT(maxWatts, 50) << "the generator charges at times";
}

INSTANTIATE_TEST_SUITE_P(Seeds, WindModelHour, ::testing::Values(1, 2, 42, 1234567));

TEST(WindModel, PowerRisesWithRotorSpeedAndVoltsWithCurrent) {
  WindModel model(7);
  double wattsSlow = 0, wattsFast = 0, voltsSlow = 0, voltsFast = 0;
  int slow = 0, fast = 0;
  for (int k = 0; k < 5 * 3600; ++k) {
    const WindState& s = model.step(0.2);
    if (s.rpm < 250) {
      wattsSlow += s.watts, voltsSlow += s.volts, ++slow;
    } else if (s.rpm > 350) {
      wattsFast += s.watts, voltsFast += s.volts, ++fast;
    }
  }
  ASSERT_GT(slow, 0);
  ASSERT_GT(fast, 0);
  EXPECT_GT(wattsFast / fast, wattsSlow / slow);
  EXPECT_GT(voltsFast / fast, voltsSlow / slow);
}

TEST(WindModel, SameSeedGivesTheSameDay) {
  WindModel a(99), b(99), c(100);
  bool differs = false;
  for (int k = 0; k < 100; ++k) {
    const WindState sa = a.step(0.5), sb = b.step(0.5), sc = c.step(0.5);
    ASSERT_EQ(sa.wind, sb.wind);
    ASSERT_EQ(sa.volts, sb.volts);
    differs |= sa.wind != sc.wind;
  }
  EXPECT_TRUE(differs);
}

TEST(WindModel, CountsFollowTheCalibration) {
  WindState s;
  s.volts = 12.5, s.amps = 3.2, s.rpm = 360, s.wind = 12;
  const Counts c = WindModel::countsFor(s, Calibration{});
  EXPECT_EQ(c.v, 500);
  EXPECT_EQ(c.i, 164);
  EXPECT_EQ(c.r, 6);
  EXPECT_EQ(c.s, 12);
}

}  // namespace
}  // namespace sim
