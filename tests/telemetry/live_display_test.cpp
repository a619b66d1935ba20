#include "telemetry/live_display.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

// The receiving test shows an ordinary reading's masks; these are the other
// sides of each threshold.
TEST(LiveList, ValuesSwitchMasksAtTheirThresholds) {
  Reading r;
  r.voltsValue = 0.5;
  r.ampsValue = 0.46;
  r.wattsValue = 100.4;
  r.rpmValue = 299.5;
  r.windSpeed = 10.0;
  std::vector<std::string> shown;
  for (const ListRow& row : readingRows(r, 0.05, {true, true, "mph"})) shown.push_back(row.value);
  EXPECT_EQ(shown, (std::vector<std::string>{".50", "0.46", "100", "0.1", "300", "10"}));
}

}  // namespace
}  // namespace tamsel
