#include "setup/calibration_readout.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const Divisors kTyped{"40", "20", "14", "2", "100", "mph"};

// Every read-out as shown, "|" between them; "<kept>" where a label keeps its text.
std::string shownFor(std::string_view frame, const Divisors& divisors, double& windSpeed) {
  const Readout r = calibrationReadout(rawFields(frame), divisors, windSpeed);
  return r.txtBattV + '|' + r.txtShuntV + '|' + r.txtPulsess + '|' +
         r.txtWindmillRPM.value_or("<kept>") + '|' + r.txtPulsess2 + '|' + r.txtWindSpeed + '|' +
         r.txtBattVadjusted.value_or("<kept>") + '|' + r.txtBattAadjusted.value_or("<kept>");
}

TEST(CalibrationReadout, EachStepFollowsItsDivisorAndKeepsItsResultWhenTheDivisorIsUnusable) {
  const auto with = [](auto change) {
    Divisors d = kTyped;
    change(d);
    return d;
  };
  const std::string frame = "[<V>500</V><I>164</I><R>7</R><S>13</S><C>684</C>]";
  const struct {
    const char* name;
    std::string frame;
    Divisors divisors;
    const char* shown;
  } cases[] = {
      {"all usable", frame, kTyped, "500|164|7|30 RPM|13|6.5 mph|12.50 Volts|3.20 Amps"},
      {"rpm divisor empty", frame, with([](Divisors& d) { d.PulseDivider = ""; }),
       "500|164|7|1 RPM|13|6.5 mph|12.50 Volts|3.20 Amps"},
      {"rpm divisor zero, wind divisor letters", frame,
       with([](Divisors& d) { d.PulseDivider = "0", d.Pulse2Divider = "x"; }),
       "500|164|7|1 RPM|13|0.0 mph|12.50 Volts|3.20 Amps"},
      {"negative amps divider flips the sign", frame,
       with([](Divisors& d) { d.BatteryCurrent = "-2"; }),
       "500|164|7|30 RPM|13|6.5 mph|12.50 Volts|-32.00 Amps"},
      {"negative volts divider and zero amps divider leave both results", frame,
       with([](Divisors& d) { d.BatteryVolts = "-40", d.BatteryCurrent = "0"; }),
       "500|164|7|30 RPM|13|6.5 mph|<kept>|<kept>"},
      {"missing tags count as 0 and show empty raw pulses", "[<V>500</V>]", kTyped,
       "500|0||0 RPM||0.0 mph|12.50 Volts|-5.00 Amps"},
      {"letters in a field count as 0", "[<V>abc</V><I>164</I><R></R><S>13</S>]", kTyped,
       "0|164|0|0 RPM|13|6.5 mph|0.00 Volts|3.20 Amps"},
      {"a closing tag before its opening one", "[</V>9<V>500]", kTyped,
       "0|0||0 RPM||0.0 mph|0.00 Volts|-5.00 Amps"},
      {"a result too large to show leaves its label", "[<V>500</V><R>1e308</R>]",
       with([](Divisors& d) { d.BatteryVolts = "1e-308", d.PulseDivider = "1e-300"; }),
       "500|0|1e308|<kept>||0.0 mph|<kept>|-5.00 Amps"},
  };
  for (const auto& c : cases) {
    double windSpeed = 0;
    EXPECT_EQ(shownFor(c.frame, c.divisors, windSpeed), c.shown) << c.name;
  }
}

// A GPS or modem on the wrong port sends text with no brackets at all.
TEST(CalibrationReceiver, TextThatNeverClosesAFrameStaysBoundedAndTheNextFrameIsRead) {
  CalibrationReceiver receiver;
  const std::string gps = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
  for (size_t fed = 0; fed < 10'000'000; fed += gps.size()) {
    ASSERT_FALSE(receiver.append(gps));
    ASSERT_LE(receiver.rxBuffer().size(), 4096u);
  }
  const std::optional<std::string> frame = receiver.append("[<V>500</V><I>3</I>]");
  ASSERT_TRUE(frame);
  EXPECT_EQ(rawFields(*frame).V, "500");
  EXPECT_EQ(rawFields(*frame).I, "3");
}

}  // namespace
}  // namespace tamsel
