#include "telemetry/frame_decoder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tamsel {
namespace {

const Calibration kCal{"40", "100", "20", "1", "2"};

// Volts, amps, watts, RPM and wind speed as shown.
std::string shown(const Reading& r) {
  std::ostringstream out;
  out << r.volts << ' ' << r.amps << ' ' << r.watts << ' ' << r.rpm << ' ' << r.windSpeed;
  return out.str();
}
// What the counts 500, 164, 5 and 13 show with kCal.
const char kUsual[] = "12.50 3.20 40.0 300.0 6.5";

TEST(FrameDecoding, ChecksAndScales) {
  constexpr auto kDecoded = FrameStatus::Decoded, kDropped = FrameStatus::Dropped,
                 kFailed = FrameStatus::Failed;
  const struct {
    const char* why;
    const char* frame;
    FrameStatus status;
    bool mismatch = false;
    const char* shown = kUsual;  // when decoded
  } cases[] = {
      {"well formed", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]", kDecoded},
      {"text between fields", "xx[<V>500</V>\r\n;<I>164</I> <R>5</R>..<S>13</S><C>682</C>]",
       kDecoded},
      {"a checksum mismatch is still scaled", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>683</C>]",
       kDecoded, true},
      {"current below the offset is 0", "[<V>500</V><I>50</I><R>0</R><S>0</S><C>550</C>]", kDecoded,
       false, "12.50 0 0.0 0.0 0"},
      {"letters read as 0", "[<V>500</V><I>164</I><R>ab</R><S>13</S><C>677</C>]", kDecoded, false,
       "12.50 3.20 40.0 0.0 6.5"},
      {"watts from the rounded values", "[<V>501</V><I>165</I><R>1</R><S>1</S><C>668</C>]",
       kDecoded, false, "12.53 3.25 40.7 60.0 0.5"},
      {"zero volts", "[<V>0</V><I>164</I><R>5</R><S>13</S><C>182</C>]", kDropped},
      {"no volts", "[<I>164</I><R>5</R><S>13</S><C>182</C>]", kDropped},
      {"no closing amps tag", "[<V>500</V><I>164<R>5</R><S>13</S><C>682</C>]", kDropped},
      {"no checksum", "[<V>500</V><I>164</I><R>5</R><S>13</S>]", kDropped},
      {"a closing tag before its opening one", "[</R><V>500</V><I>164</I><R>5<S>13</S>]", kFailed},
      {"a checksum beyond 16 bits", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>40000</C>]", kFailed},
      {"a checksum at the edge of 16 bits",
       "[<V>32000</V><I>100</I><R>667</R><S>0</S><C>32767</C>]", kDecoded, false,
       "800.00 0.00 0.0 40020.0 0"},
      {"a half checksum rounds to even, down",
       "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682.5</C>]", kDecoded},
      {"a half checksum rounds to even, so 683 mismatches",
       "[<V>500</V><I>164</I><R>5</R><S>14</S><C>682.5</C>]", kDecoded, true,
       "12.50 3.20 40.0 300.0 7"},
      {"a checksum rounding past 16 bits", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>32767.5</C>]",
       kFailed},
      {"a checksum at the negative edge", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>-32768</C>]",
       kDecoded, true},
      {"a checksum below the negative edge", "[<V>500</V><I>164</I><R>5</R><S>13</S><C>-32769</C>]",
       kFailed},
      {"a huge field", "[<V>1e400</V><I>1</I><R>1</R><S>1</S><C>1</C>]", kFailed},
  };
  for (const auto& c : cases) {
    const FrameResult r = decodeFrame(c.frame, scaleFrom(kCal));
    EXPECT_EQ(r.status, c.status) << c.why;
    EXPECT_EQ(r.checksumMismatch, c.mismatch) << c.why;
    if (c.status != FrameStatus::Decoded) continue;
    EXPECT_EQ(shown(r.reading), c.shown) << c.why;
  }
}

}  // namespace
}  // namespace tamsel
