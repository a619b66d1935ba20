#include "analysis/performance.h"

#include <gtest/gtest.h>

#include <functional>

#include "analysis/turbine_formulas.h"

namespace tamsel {
namespace {

constexpr CalendarDate kDay{2024, 3, 1};
constexpr DateRange kThreeDays{kDay, {2024, 3, 3}};

HistoryRecord record(int hour, int minute, double volts, double amps, double watts, double rpm,
                     double wind) {
  return {hour * 3600 + minute * 60, {volts, amps, watts, rpm, wind}};
}

// Every figure below is worked out by hand from the records, each record
// standing for LogDelay = 60 s, F(V) = 1 − exp(−π/4 × (V / Vmean)²).
struct Case {
  const char* name;
  AnalysisSetup setup;
  std::vector<HistoryRecord> records;
  std::function<void(const PerformanceReport&)> check;
};

TurbineConfig turbine(std::string rotor, std::string rated, std::string cutOut, std::string curve,
                      std::string minBinMinutes) {
  TurbineConfig t;
  t.RotorDiameter = std::move(rotor);
  t.RatedPower = std::move(rated);
  t.CutOut = std::move(cutOut);
  t.Curve = std::move(curve);
  t.MinBinMinutes = std::move(minBinMinutes);
  return t;
}

const Case kCases[] = {
    {"one bin, the lowest volts twice, full every record",
     {turbine("3", "500", "", "4:100 6:300", "2"), "60", " M/S ", "10"},
     {record(10, 0, 12.0, 2, 100, 300, 5), record(10, 1, 12.5, 3, 200, 320, 5),
      record(10, 2, 12.0, 1, 150, 310, 5), record(10, 3, 13.0, 0, 0, 0, 0)},
     [](const PerformanceReport& r) {
       EXPECT_TRUE(r.missing.empty()) << r.missing.front().reason;
       EXPECT_EQ(r.binWidth, 1);      // "m/s" records hold whole m/s
       ASSERT_EQ(r.bins.size(), 1u);  // the calm record is left out
       const PowerBin& b = r.bins[0];
       EXPECT_EQ(b.centre, 5);
       EXPECT_EQ(b.count, 3);
       EXPECT_EQ(b.minutes, 3);
       EXPECT_EQ(b.wind, 5);
       EXPECT_EQ(b.power, 150);
       EXPECT_NEAR(b.powerStd, 40.8248290463863, 1e-9);  // √((50² + 50² + 0²) / 3)
       EXPECT_EQ(b.rpm, 310);
       // 150 / (0.5 × 1.2250123 × π × 1.5² × 5³) = 150 / 541.193
       EXPECT_NEAR(*b.cp, 0.277165016783015, 1e-9);
       // (2π × 310 / 60) × 1.5 / 5 = 32.4631 × 0.3
       EXPECT_NEAR(*b.tsr, 9.73893722612836, 1e-9);
       EXPECT_EQ(b.complete, true);  // 3 minutes ≥ 2
       ASSERT_EQ(r.aep.size(), 8u);
       const AepRow& a = r.aep[0];
       EXPECT_EQ(a.meanWind, 4);
       // 8.76 × (F(5) − F(4.5)) × (0 + 150) / 2, F(5) = 0.706883, F(4.5) = 0.629914
       EXPECT_NEAR(*a.measuredKWh, 50.5689408839092, 1e-9);
       // + 8.76 × (F(25) − F(5)) × 150, F(25) = 1.000000
       EXPECT_NEAR(*a.extrapolatedKWh, 435.724217450753, 1e-9);
       // 8.76 × ((F(4) − F(3.5)) × 50 + (F(6) − F(4)) × 200 + (F(25) − F(6)) × 300),
       // F(3.5) = 0.451913, F(4) = 0.544062, F(6) = 0.829180
       EXPECT_NEAR(*a.curveKWh, 988.803168801011, 1e-9);
       EXPECT_NEAR(*a.capacityFactor, 0.0994804149430943, 1e-12);  // 435.724 / (0.5 × 8760)
       EXPECT_EQ(r.aep[7].meanWind, 11);
       EXPECT_DOUBLE_EQ(r.deliveredWh, 7.5);  // (100 + 200 + 150 + 0) W × 60 s / 3600
       // 5 m/s is halfway from 4:100 to 6:300: (200 × 3 + 0) × 60 / 3600
       EXPECT_DOUBLE_EQ(*r.promisedWh, 10);
       EXPECT_DOUBLE_EQ(*r.ratio, 0.75);
       ASSERT_EQ(r.battery.size(), 1u);
       const BatteryDay& d = r.battery[0];
       EXPECT_EQ(d.date, kDay);
       EXPECT_EQ(d.minVolts, 12.0);
       EXPECT_EQ(d.minAt, "10:00");  // 12.0 again at 10:02: the first is kept
       EXPECT_EQ(d.maxVolts, 13.0);
       EXPECT_EQ(d.maxAt, "10:03");
       EXPECT_DOUBLE_EQ(d.ampHours, 0.1);  // (2 + 3 + 1 + 0) A × 60 / 3600
       EXPECT_DOUBLE_EQ(d.wattHours, 7.5);
       EXPECT_DOUBLE_EQ(*d.hoursFull, 4.0 / 60);  // all four ≥ 12 V = 1.2 × SV 10
       EXPECT_EQ(r.daysSinceFull, 2);             // full on the 1st, the range ends on the 3rd
       EXPECT_EQ(d.peakWatts, 200);
       EXPECT_EQ(d.peakAt, "10:01");
       EXPECT_EQ(d.maxRpm, 320);
       EXPECT_EQ(d.maxWind, 5);  // the records' own unit
     }},
    {"a record at its bin's centre + 0.25 goes to the next bin",
     {{}, "60", "km/h", "12"},
     // 0.9, 2.6 and 2.7 km/h are 0.25, 0.7222 and exactly 0.75 m/s.
     {record(1, 0, 12, 0, 10, 0, 0.9), record(1, 1, 12, 0, 20, 0, 2.6),
      record(1, 2, 12, 0, 30, 0, 2.7)},
     [](const PerformanceReport& r) {
       EXPECT_EQ(r.binWidth, 0.5);
       ASSERT_EQ(r.bins.size(), 2u);
       EXPECT_EQ(r.bins[0].centre, 0.5);
       EXPECT_EQ(r.bins[0].count, 2);
       EXPECT_NEAR(r.bins[0].wind, (0.25 + 0.72222222222222) / 2, 1e-12);
       EXPECT_EQ(r.bins[0].power, 15);
       EXPECT_EQ(r.bins[1].centre, 1.0);
       EXPECT_EQ(r.bins[1].count, 1);
       EXPECT_EQ(r.bins[1].wind, 0.75);
       EXPECT_EQ(r.bins[1].complete, false);  // 1 minute < the default 30
       EXPECT_FALSE(r.bins[1].cp);
       EXPECT_EQ(r.whyMissing("measuredKWh"), "no bin holds 30 minutes of data (MinBinMinutes)");
       EXPECT_EQ(r.whyMissing("cp"), "turbine.cfg: no RotorDiameter given");
       EXPECT_FALSE(r.aep[0].measuredKWh);
     }},
    {"incomplete bins between complete ones are stepped over",
     {turbine("", "", "", "", "3"), "60", "m/s", "12"},
     {record(2, 0, 12, 0, 30, 0, 3), record(2, 1, 12, 0, 30, 0, 3), record(2, 2, 12, 0, 30, 0, 3),
      record(2, 3, 12, 0, 1000, 0, 4), record(2, 4, 12, 0, 100, 0, 5),
      record(2, 5, 12, 0, 100, 0, 5), record(2, 6, 12, 0, 100, 0, 5)},
     [](const PerformanceReport& r) {
       ASSERT_EQ(r.bins.size(), 3u);
       EXPECT_EQ(r.bins[0].complete, true);
       EXPECT_EQ(r.bins[1].complete, false);
       EXPECT_EQ(r.bins[2].complete, true);
       const AepRow& a = r.aep[1];
       EXPECT_EQ(a.meanWind, 5);
       // 8.76 × ((F(3) − F(2.5)) × (0 + 30) / 2 + (F(5) − F(3)) × (30 + 100) / 2),
       // F(2.5) = 0.178275, F(3) = 0.246287, F(5) = 0.544062
       EXPECT_NEAR(*a.measuredKWh, 178.489876372626, 1e-9);
       EXPECT_FALSE(a.curveKWh);
       EXPECT_EQ(r.whyMissing("curveKWh"), "turbine.cfg: no Curve given");
     }},
    {"a wind unit that cannot be converted leaves the curve out, not the energy",
     {turbine("3", "", "", "4:100", ""), "60", "furlongs", "12"},
     {record(3, 0, 12, 1, 60, 200, 7)},
     [](const PerformanceReport& r) {
       EXPECT_TRUE(r.bins.empty());
       EXPECT_FALSE(r.binWidth);
       EXPECT_FALSE(r.promisedWh);
       EXPECT_EQ(r.whyMissing("bins"),
                 "cannot convert \"furlongs\" to m/s; known units: mph, km/h (kph, kmh), m/s "
                 "(mps), knots (kn, kt), ft/s");
       EXPECT_EQ(r.whyMissing("ratio"), r.whyMissing("bins"));
       EXPECT_DOUBLE_EQ(r.deliveredWh, 1);  // 60 W for 60 s
       EXPECT_EQ(r.battery.size(), 1u);
     }},
    {"a falling curve promises nothing; a battery never full has no days since",
     {turbine("", "", "", "3:20 4:60 3.5:80", ""), "60", "mph", "12"},
     {record(4, 0, 13.9, 1, 60, 200, 7)},
     [](const PerformanceReport& r) {
       EXPECT_FALSE(r.aep[0].curveKWh);
       EXPECT_FALSE(r.promisedWh);
       EXPECT_EQ(r.whyMissing("curveKWh"),
                 "turbine.cfg: Curve does not rise in wind speed at \"3.5:80\"");
       EXPECT_EQ(r.whyMissing("promisedWh"), r.whyMissing("curveKWh"));
       EXPECT_EQ(*r.battery[0].hoursFull, 0);
       EXPECT_FALSE(r.daysSinceFull);
       EXPECT_EQ(r.whyMissing("daysSinceFull"), "no day reached 14.4 V (FullVolts)");
     }},
    {"promised: between points, held to the cut-out, nothing outside",
     {turbine("", "", "12", "3:20 5:120", ""), "60", "m/s", "12"},
     {record(5, 0, 12, 0, 0, 0, 2), record(5, 1, 12, 0, 50, 0, 4), record(5, 2, 12, 0, 100, 0, 5),
      record(5, 3, 12, 0, 110, 0, 9), record(5, 4, 12, 0, 0, 0, 13),
      record(5, 5, 12, 0, 90, 0, 12)},
     [](const PerformanceReport& r) {
       EXPECT_NEAR(r.deliveredWh, 350.0 / 60, 1e-12);  // (50 + 100 + 110 + 90) W × 60 / 3600
       // 2 m/s: 0; 4: halfway 20..120, 70; 5: 120; 9: held, 120; 13: past the cut-out, 0;
       // 12: the cut-out itself, 120. (70 + 120 + 120 + 120) W × 60 / 3600
       EXPECT_NEAR(*r.promisedWh, 430.0 / 60, 1e-12);
       EXPECT_NEAR(*r.ratio, 350.0 / 430, 1e-12);
       // 8.76 × ((F(3) − F(2.5)) × 10 + (F(5) − F(3)) × 70 + (F(12) − F(5)) × 120) at 6 m/s,
       // F(2.5) = 0.127466, F(3) = 0.178275, F(5) = 0.420399, F(12) = 0.956786
       EXPECT_EQ(r.aep[2].meanWind, 6);
       EXPECT_NEAR(*r.aep[2].curveKWh, 716.771356697808, 1e-9);
     }},
};

TEST(Performance, HandWorkedRecordSetsGiveTheirFigures) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Result<PerformanceReport> report =
        analyseRecords(c.setup, {{kDay, c.records}}, kThreeDays);
    ASSERT_TRUE(report) << report.error();
    c.check(*report);
  }
}

TEST(Performance, AirDensityAtTheSite) {
  EXPECT_NEAR(airDensity(0, 15), 1.2250, 5e-5);
  // p = 101325 × (1 − 2.25577e-5 × 1000)^5.25588 = 89874.560 Pa; 287.05 × 298.15 = 85583.958
  EXPECT_NEAR(airDensity(1000, 25), 89874.560 / 85583.958, 1e-6);
}

TEST(Performance, RangesAndIntervalsThatCannotBeAnalysedAreRefused) {
  const AnalysisSetup setup{{}, "60", "m/s", "12"};
  EXPECT_TRUE(analyseRecords(setup, {}, {{2000, 1, 1}, {2010, 1, 7}}));  // 3,660 days
  const struct {
    AnalysisSetup setup;
    DateRange range;
    const char* reason;
  } refused[] = {
      {setup, {{2000, 1, 1}, {2010, 1, 8}}, "a range holds at most 3660 days"},
      {setup, {{2024, 3, 2}, {2024, 3, 1}}, "the first day comes after the last"},
      {setup, {{2023, 2, 29}, {2024, 3, 1}}, "the first day 2023-02-29 is no date"},
      {{{}, "soon", "m/s", "12"}, kThreeDays, "prog.cfg: LogDelay is no number of seconds above 0"},
      {{{}, "0", "m/s", "12"}, kThreeDays, "prog.cfg: LogDelay is no number of seconds above 0"},
  };
  for (const auto& r : refused) {
    const Result<PerformanceReport> report = analyseRecords(r.setup, {}, r.range);
    EXPECT_FALSE(report);
    EXPECT_EQ(report.error(), r.reason);
  }
}

}  // namespace
}  // namespace tamsel
