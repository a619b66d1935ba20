#include "frame_text.h"

#include <gtest/gtest.h>

#include "calibration.h"
#include "config/calibration.h"

namespace sim {
namespace {

TEST(FrameText, ChecksumIsTheSumOrOneMoreForABadFrame) {
  EXPECT_EQ(frameText({512, 300, 20, 5}), "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]");
  EXPECT_EQ(frameText({512, 300, 20, 5}, true),
            "[<V>512</V><I>300</I><R>20</R><S>5</S><C>838</C>]");
}

// The sent log's values are what the end-to-end checks compare records with.
TEST(SentLog, LineHoldsTheFrameAndTheValuesItStandsFor) {
  const std::string frame = frameText({500, 164, 6, 12});
  EXPECT_EQ(
      sentLogLine(frame, decode({500, 164, 6, 12}, Calibration{}), false),
      frame + "\tvolts=12.5000 amps=3.2000 watts=40.0000 rpm=360.0000 wind=12.0000 checksum=ok");
  EXPECT_NE(sentLogLine(frame, Decoded{}, true).find(" checksum=bad"), std::string::npos);
  EXPECT_EQ(sentLogRunLine(1048576), "run\t1048576 bytes without ]");
  const Decoded none = decode({500, 90, 0, 0}, Calibration{});  // current below the offset
  EXPECT_DOUBLE_EQ(none.amps, 0);
  EXPECT_DOUBLE_EQ(none.volts, 12.5);
}

TEST(SettingsFile, FactorsAreWrittenAsTheProgramReadsThem) {
  const Calibration cal{40.5, 512, 19.25, 2, 0.5};
  EXPECT_EQ(tamsel::readCalibration(settingsFileText(cal), {}),
            (tamsel::Calibration{"40.5", "512", "19.25", "2", "0.5"}));
}

}  // namespace
}  // namespace sim
