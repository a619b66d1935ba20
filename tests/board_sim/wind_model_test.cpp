#include "wind_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frame_text.h"
#include "sim_options.h"

namespace sim {
namespace {

// An hour of frames at 5 per second from the default seed. The end-to-end
// checks need frames a logger keeps and readings that vary; all-zero records
// would match anything.
TEST(WindModelHour, GivesFramesALoggerKeepsWithVaryingPower) {
  WindModel model(SimOptions{}.seed);
  double minWind = 1e9, maxWind = 0, maxWatts = 0;
  for (int k = 0; k < 5 * 3600; ++k) {
    const WindState& s = model.step(0.2);
    minWind = std::min(minWind, s.wind);
    maxWind = std::max(maxWind, s.wind);
    maxWatts = std::max(maxWatts, s.watts);
    const Counts c = WindModel::countsFor(s, Calibration{});
    ASSERT_GT(c.v, 0) << "a frame with no volts is thrown away by a logger";
    ASSERT_GE(std::min({c.i, c.r, c.s}), 0);
    ASSERT_LT(checksumOf(c), 8000) << "the checksum must stay well inside 16 bits";
  }
  EXPECT_GT(maxWind - minWind, 5) << "gusts and lulls";
  EXPECT_GT(maxWatts, 50) << "the generator charges at times";
}

}  // namespace
}  // namespace sim
