#include "calibration.h"

#include <gtest/gtest.h>

#include "config/calibration.h"
#include "frame_text.h"

namespace sim {
namespace {

TEST(SettingsFile, FactorsAreWrittenAsTheirShortestText) {
  const Calibration cal{40.5, 512, 19.25, 2, 0.5};
  EXPECT_EQ(tamsel::readCalibration(settingsFileText(cal), {}),
            (tamsel::Calibration{"40.5", "512", "19.25", "2", "0.5"}));
}

TEST(Decode, CountsBecomeValuesWithTheCalibration) {
  const Decoded d = decode({500, 164, 6, 12}, Calibration{});
  EXPECT_DOUBLE_EQ(d.volts, 12.5);
  EXPECT_DOUBLE_EQ(d.amps, 3.2);
  EXPECT_DOUBLE_EQ(d.watts, 40.0);
  EXPECT_DOUBLE_EQ(d.rpm, 360);
  EXPECT_DOUBLE_EQ(d.windSpeed, 12);
}

TEST(Decode, CurrentBelowTheOffsetReadsAsNoCurrent) {
  const Decoded d = decode({500, 90, 0, 0}, Calibration{});
  EXPECT_EQ(d.amps, 0);
  EXPECT_EQ(d.watts, 0);
}

TEST(Decode, WattsComeFromVoltsAndAmpsAsShownToTwoDecimals) {
  // 501 / 40 = 12.525 shows as 12.53 (or 12.52); 101 counts = 0.05 A.
  const Decoded d = decode({501, 101, 0, 0}, Calibration{});
  EXPECT_NEAR(d.watts, 12.53 * 0.05, 0.0006);
}

TEST(FrameText, WellFormedFrameCarriesTheSumAsChecksum) {
  EXPECT_EQ(frameText({512, 300, 20, 5}), "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]");
}

TEST(FrameText, BadFrameChecksumMissesTheSum) {
  EXPECT_EQ(frameText({512, 300, 20, 5}, true),
            "[<V>512</V><I>300</I><R>20</R><S>5</S><C>838</C>]");
}

TEST(SentLog, LineHoldsTheFrameAndTheValuesItStandsFor) {
  const std::string frame = frameText({500, 164, 6, 12});
  EXPECT_EQ(
      sentLogLine(frame, decode({500, 164, 6, 12}, Calibration{}), false),
      frame + "\tvolts=12.5000 amps=3.2000 watts=40.0000 rpm=360.0000 wind=12.0000 checksum=ok");
  EXPECT_NE(sentLogLine(frame, Decoded{}, true).find(" checksum=bad"), std::string::npos);
  EXPECT_EQ(sentLogRunLine(1048576), "run\t1048576 bytes without ]");
}

}  // namespace
}  // namespace sim
