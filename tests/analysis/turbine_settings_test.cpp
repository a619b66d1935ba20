#include "analysis/turbine_settings.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(TurbineConfigFile, ReadsBackWhatItWritesAndTakesDefaultsForEmptyValues) {
  const char text[] =
      "Turbine Config File\r\n\r\n<RotorDiameter>2.5</RotorDiameter>\r\n"
      "<RatedPower>1000</RatedPower>\r\n<CutOut></CutOut>\r\n<GearRatio></GearRatio>\r\n"
      "<Curve>3:20  4:60\t5:120</Curve>\r\n<Altitude>350</Altitude>\r\n"
      "<Temperature></Temperature>\r\n<FullVolts></FullVolts>\r\n"
      "<MinBinMinutes>10</MinBinMinutes>\r\n\r\n";
  const TurbineConfig config = readTurbineConfig(text);
  EXPECT_EQ(turbineConfigText(config), text);
  const TurbineSettingsRead read = turbineSettings(config, "24");
  EXPECT_TRUE(read.problems.empty());
  const TurbineSettings& s = read.settings;
  EXPECT_EQ(s.rotorDiameter, 2.5);
  EXPECT_EQ(s.ratedPower, 1000);
  EXPECT_EQ(s.cutOut, 25);
  EXPECT_EQ(s.gearRatio, 1);
  EXPECT_EQ(s.curve, (std::vector<CurvePoint>{{3, 20}, {4, 60}, {5, 120}}));
  EXPECT_EQ(s.altitude, 350);
  EXPECT_EQ(s.temperature, 15);
  EXPECT_NEAR(*s.fullVolts, 28.8, 1e-12);  // 1.2 × SV 24
  EXPECT_EQ(s.minBinMinutes, 10);
}

TEST(TurbineConfigFile, ValuesThatCannotBeUsedAreAbsentAndNamed) {
  const struct {
    std::string TurbineConfig::*key;
    const char* value;
    const char* sv;
    const char* problem;
  } rows[] = {
      {&TurbineConfig::RotorDiameter, "big", "12", "turbine.cfg: RotorDiameter is no number"},
      {&TurbineConfig::RatedPower, "0", "12",
       "turbine.cfg: RatedPower must be above 0 and at most 10000000"},
      {&TurbineConfig::CutOut, "1e999", "12", "turbine.cfg: CutOut is no number"},
      {&TurbineConfig::GearRatio, "-2", "12",
       "turbine.cfg: GearRatio must be above 0 and at most 1000"},
      {&TurbineConfig::Altitude, "10000", "12", "turbine.cfg: Altitude must be from -500 to 9000"},
      {&TurbineConfig::Temperature, "15C", "12", "turbine.cfg: Temperature is no number"},
      {&TurbineConfig::MinBinMinutes, "-1", "12",
       "turbine.cfg: MinBinMinutes must be from 0 to 525600"},
      {&TurbineConfig::FullVolts, "", "twelve",
       "turbine.cfg: FullVolts is not given and prog.cfg's SV is no voltage to take 1.2 times"},
      {&TurbineConfig::Curve, "3:20 4-60", "12",
       "turbine.cfg: Curve point \"4-60\" is no pair m/s:watts"},
      {&TurbineConfig::Curve, "3:20 4:lots", "12",
       "turbine.cfg: Curve point \"4:lots\" is no pair of numbers m/s:watts"},
      {&TurbineConfig::Curve, "3:20 30:100", "12",
       "turbine.cfg: Curve point \"30:100\" must lie from 0 to 25 m/s, watts from 0"},
      {&TurbineConfig::Curve, "3:20 4:60 4:80", "12",
       "turbine.cfg: Curve does not rise in wind speed at \"4:80\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.problem);
    TurbineConfig config;
    config.*row.key = row.value;
    const TurbineSettingsRead read = turbineSettings(config, row.sv);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].text, row.problem);
    EXPECT_EQ(read.whyAbsent(read.problems[0].key), row.problem);
  }
}

}  // namespace
}  // namespace tamsel
