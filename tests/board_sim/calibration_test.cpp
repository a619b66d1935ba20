#include "calibration.h"

#include <gtest/gtest.h>

#include "config/calibration.h"

namespace sim {
namespace {

TEST(SettingsFile, FactorsAreWrittenAsTheProgramReadsThem) {
  const Calibration cal{40.5, 512, 19.25, 2, 0.5};
  EXPECT_EQ(tamsel::readCalibration(settingsFileText(cal), {}),
            (tamsel::Calibration{"40.5", "512", "19.25", "2", "0.5"}));
}

// The sent log's values are what the end-to-end checks compare records with.
TEST(Decode, CountsBecomeValuesWithTheCalibration) {
  struct Case {
    const char* name;
    Counts counts;
    double volts, amps, rpm, wind;
  };
  const Case cases[] = {
      {"plain", {500, 164, 6, 12}, 12.5, 3.2, 360, 12},
      {"current below the offset reads as none", {500, 90, 0, 0}, 12.5, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const Decoded d = decode(c.counts, Calibration{});
    EXPECT_DOUBLE_EQ(d.volts, c.volts) << c.name;
    EXPECT_DOUBLE_EQ(d.amps, c.amps) << c.name;
    EXPECT_DOUBLE_EQ(d.rpm, c.rpm) << c.name;
    EXPECT_DOUBLE_EQ(d.windSpeed, c.wind) << c.name;
  }
}

}  // namespace
}  // namespace sim
