#include "telemetry/live_display.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

Reading readingOf(double volts, double amps, double watts, double rpm, double wind) {
  Reading r;
  r.voltsValue = volts;
  r.ampsValue = amps;
  r.wattsValue = watts;
  r.rpmValue = rpm;
  r.windSpeed = wind;
  return r;
}

std::vector<std::string> values(const std::vector<ListRow>& rows) {
  std::vector<std::string> v;
  for (const auto& row : rows) v.push_back(row.value);
  return v;
}

TEST(LiveList, ValuesSwitchMasksAtTheirThresholds) {
  const ListOptions all{true, true, "mph"};
  struct Case {
    Reading reading;
    double wattHours;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {readingOf(0.5, 0.46, 100.0, 299.5, 9.9), 0, {".50", "0.46", "100.0", "0.0", "300", "9.9"}},
      {readingOf(12.48, 1.25, 100.4, 0, 10.0), 12.34, {"12.48", "1.3", "100", "12.3", "0", "10"}},
      {readingOf(14.2, 12.34, 1234.5, 45.4, 23.4),
       0.05,
       {"14.20", "12.3", "1235", "0.1", "45", "23"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(values(readingRows(c.reading, c.wattHours, all)), c.shown);
  }
}

}  // namespace
}  // namespace tamsel
