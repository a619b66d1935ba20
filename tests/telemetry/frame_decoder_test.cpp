#include "telemetry/frame_decoder.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const Calibration kCal{"40", "100", "20", "1", "2"};

struct DecodeCase {
  const char* name;
  const char* frame;
  FrameStatus status;
  bool mismatch;
  const char* volts;
  const char* amps;
  const char* watts;
  const char* rpm;
  double wind;
  friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class FrameDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(FrameDecoding, ChecksAndScales) {
  const DecodeCase& c = GetParam();
  FrameResult r = decodeFrame(c.frame, scaleFrom(kCal));
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.checksumMismatch, c.mismatch);
  if (c.status != FrameStatus::Decoded) return;
  EXPECT_EQ(r.reading.volts, c.volts);
  EXPECT_EQ(r.reading.amps, c.amps);
  EXPECT_EQ(r.reading.watts, c.watts);
  EXPECT_EQ(r.reading.rpm, c.rpm);
  EXPECT_DOUBLE_EQ(r.reading.windSpeed, c.wind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrameDecoding,
    ::testing::Values(
        DecodeCase{"WellFormed", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"FieldsInAnyOrder", "[<C>682</C><S>13</S><R>5</R><I>164</I><V>500</V>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"TextBetweenFieldsIgnored",
                   "xx[<V>500</V>\r\n;<I>164</I> <R>5</R>..<S>13</S><C>682</C>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"ChecksumMismatchStillScaled",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>683</C>]", FrameStatus::Decoded, true,
                   "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"CurrentBelowOffsetIsZero", "[<V>500</V><I>50</I><R>0</R><S>0</S><C>550</C>]",
                   FrameStatus::Decoded, false, "12.50", "0", "0.0", "0.0", 0},
        DecodeCase{"BlankInsideNumber", "[<V>5 00</V><I>164</I><R>5</R><S>13</S><C>682</C>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"LettersReadAsZero", "[<V>500</V><I>164</I><R>ab</R><S>13</S><C>677</C>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "0.0", 6.5},
        DecodeCase{"WattsFromRoundedValues", "[<V>501</V><I>165</I><R>1</R><S>1</S><C>668</C>]",
                   FrameStatus::Decoded, false, "12.53", "3.25", "40.7", "60.0", 0.5},
        DecodeCase{"SecondFrameFieldsIgnored",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>][<V>999</V>]",
                   FrameStatus::Decoded, false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"ZeroVoltsDropped", "[<V>0</V><I>164</I><R>5</R><S>13</S><C>182</C>]",
                   FrameStatus::Dropped, false, "", "", "", "", 0},
        DecodeCase{"MissingVDropped", "[<I>164</I><R>5</R><S>13</S><C>182</C>]",
                   FrameStatus::Dropped, false, "", "", "", "", 0},
        DecodeCase{"MissingClosingIDropped", "[<V>500</V><I>164<R>5</R><S>13</S><C>682</C>]",
                   FrameStatus::Dropped, false, "", "", "", "", 0},
        DecodeCase{"MissingChecksumDropped", "[<V>500</V><I>164</I><R>5</R><S>13</S>]",
                   FrameStatus::Dropped, false, "", "", "", "", 0},
        DecodeCase{"ClosingBeforeOpeningFails", "[</R><V>500</V><I>164</I><R>5<S>13</S>]",
                   FrameStatus::Failed, false, "", "", "", "", 0},
        DecodeCase{"ChecksumBeyond16BitsFails",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>40000</C>]", FrameStatus::Failed,
                   false, "", "", "", "", 0},
        DecodeCase{"ChecksumAtTheEdgeOf16Bits",
                   "[<V>32000</V><I>100</I><R>667</R><S>0</S><C>32767</C>]", FrameStatus::Decoded,
                   false, "800.00", "0.00", "0.0", "40020.0", 0},
        DecodeCase{"ChecksumRoundsHalfToEven",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682.5</C>]", FrameStatus::Decoded,
                   false, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"ChecksumHalfRoundsToTheEvenNeighbour",
                   "[<V>500</V><I>164</I><R>5</R><S>14</S><C>682.5</C>]", FrameStatus::Decoded,
                   true, "12.50", "3.20", "40.0", "300.0", 7},
        DecodeCase{"ChecksumRoundingPast16BitsFails",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>32767.5</C>]", FrameStatus::Failed,
                   false, "", "", "", "", 0},
        DecodeCase{"ChecksumAtTheNegativeEdge",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>-32768</C>]", FrameStatus::Decoded,
                   true, "12.50", "3.20", "40.0", "300.0", 6.5},
        DecodeCase{"ChecksumBelowTheNegativeEdgeFails",
                   "[<V>500</V><I>164</I><R>5</R><S>13</S><C>-32769</C>]", FrameStatus::Failed,
                   false, "", "", "", "", 0},
        DecodeCase{"HugeFieldFails", "[<V>1e400</V><I>1</I><R>1</R><S>1</S><C>1</C>]",
                   FrameStatus::Failed, false, "", "", "", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameDecoding, BadDividersTakeTheErrorPath) {
  const char* frame = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]";
  struct Case {
    Calibration cal;
    const char* mentions;
  };
  const Case cases[] = {
      {{"0", "100", "20", "1", "2"}, "Division by zero"},
      {{"", "100", "20", "1", "2"}, "VoltDivider"},
      {{"40", "x", "20", "1", "2"}, "VoltOffset"},
      {{"40", "100", "0", "1", "2"}, "AmpDivider"},
      {{"40", "100", "20", "abc", "2"}, "RPMDivider"},
      {{"40", "100", "20", "1", ""}, "WSDivider"},
  };
  for (const Case& c : cases) {
    FrameResult r = decodeFrame(frame, scaleFrom(c.cal));
    EXPECT_EQ(r.status, FrameStatus::Failed) << c.mentions;
    EXPECT_NE(r.failure.find(c.mentions), std::string::npos) << r.failure;
  }
}

TEST(FrameDecoding, AFailureKeepsTheFieldsScaledBeforeIt) {
  Reading current;
  current.windSpeed = 4.5;
  current.rpm = "10.0";
  FrameResult r = decodeFrame("[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]",
                              scaleFrom({"40", "100", "20", "0", "2"}), current);
  EXPECT_EQ(r.status, FrameStatus::Failed);
  EXPECT_EQ(r.reading.volts, "12.50");
  EXPECT_DOUBLE_EQ(r.reading.wattsValue, 40.0);
  EXPECT_EQ(r.reading.rpm, "10.0");  // RPM failed: it and the wind speed keep theirs
  EXPECT_DOUBLE_EQ(r.reading.windSpeed, 4.5);
}

TEST(FrameDecoding, MismatchIsFlaggedEvenWhenScalingFails) {
  FrameResult r = decodeFrame("[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]",
                              scaleFrom(Calibration{"0", "100", "20", "1", "2"}));
  EXPECT_TRUE(r.checksumMismatch);
  EXPECT_EQ(r.status, FrameStatus::Failed);
}

}  // namespace
}  // namespace tamsel
