// /api/performance through the server: the dashboard's shape on a day whose
// figures are worked out by hand, and the ranges and dates it refuses.
#include <QJsonArray>

#include "config/turbine_config.h"
#include "web/web_fixture.h"

namespace tamsel::test {
namespace {

std::string windRecord(const char* time, const char* volts, const char* amps, const char* watts,
                       const char* rpm, const char* wind) {
  return std::string("<T>") + time + "</T><V>" + volts + "</V><I>" + amps + "</I><W>" + watts +
         "</W><R>" + rpm + "</R><S>" + wind + "</S><M></M>   1.0Wh\r\n";
}

// One bin at 5 m/s and a calm record; the lowest volts twice, every record
// at or above 1.2 × SV 10.
const std::string kWindyDay = windRecord("10:00", "12.0", "2", "100", "300", "5") +
                              windRecord("10:01", "12.5", "3", "200", "320", "5") +
                              windRecord("10:02", "12.0", "1", "150", "310", "5") +
                              windRecord("10:03", "13.0", "0", "0", "0", "0");

class PerformanceTest : public WebTest {
 protected:
  void setUnits(const char* windUnits) {
    ProgramConfig cfg = setupDefaults();
    cfg.Port = "3";
    cfg.LogDelay = "60";
    cfg.WSUnits = windUnits;
    cfg.SV = "10";
    folder.write("prog.cfg", programConfigText(cfg));
  }
  PerformanceTest() {
    setUnits(" M/S ");
    TurbineConfig turbine;
    turbine.RotorDiameter = "3";
    turbine.RatedPower = "500";
    turbine.Curve = "4:100 6:300";
    turbine.MinBinMinutes = "2";
    folder.write("turbine.cfg", turbineConfigText(turbine));
    std::filesystem::create_directories(folder.file("logs"));
    folder.write("logs/P_2024_03_01.txt", kWindyDay);
  }
};

// Hand-worked (and the analysis's own tests): wind 5, power 150, std
// √((50² + 50² + 0²) / 3), Cp 150 / (0.5 × 1.2250 × π × 1.5² × 5³), TSR
// (2π × 310 / 60) × 1.5 / 5; AEP at 4 m/s 8.76 × (F(5) − F(4.5)) × 75 and so
// on; delivered (100 + 200 + 150) W × 60 s, promised 200 W × 3 × 60 s.
TEST_F(PerformanceTest, AnswersTheHandWorkedDayInTheDashboardsShape) {
  startLogger();
  const HttpReply reply = get("/api/performance?from=2024-03-01&to=2024-03-03");
  ASSERT_EQ(reply.status, 200) << reply.body;
  EXPECT_EQ(reply.header("content-type"), "application/json");
  const std::string head =
      R"({"windUnit":"m/s","airDensity":1.2250122659906946,"binWidth":1,"bins":[{"wind":5,)"
      R"("power":150,"powerStd":40.824829046386306,"rpm":310,"count":3,"minutes":3,)"
      R"("cp":0.277165016783015,"tsr":9.738937226128359,"complete":true}],)"
      R"("aep":[{"meanWind":4,"measuredKWh":50.56894088390922,)"
      R"("extrapolatedKWh":435.72421745075286,"curveKWh":988.8031688010109,)"
      R"("capacityFactor":0.09948041494309426},)";
  EXPECT_EQ(reply.body.substr(0, head.size()), head);
  const std::string tail =
      R"(}],"deliveredWh":7.5,"promisedWh":10,"ratio":0.75,"battery":[{"date":"2024-03-01",)"
      R"("minVolts":12,"minAt":"10:00","maxVolts":13,"maxAt":"10:03","ampHours":0.1,)"
      R"("wattHours":7.5,"hoursFull":0.06666666666666667}],"daysSinceFull":2,"missing":[],)"
      R"("unreadDays":[],"curve":[{"wind":4,"watts":100},{"wind":6,"watts":300}]})";
  ASSERT_GE(reply.body.size(), tail.size());
  EXPECT_EQ(reply.body.substr(reply.body.size() - tail.size()), tail);
  EXPECT_EQ(json(reply)["aep"].toArray().size(), 8);
}

TEST_F(PerformanceTest, AFigureThatCannotBeGivenIsNullWithItsReason) {
  setUnits("furlongs");
  folder.write("turbine.cfg", "");
  startLogger();
  const QJsonObject o = json(get("/api/performance?from=2024-03-01&to=2024-03-01"));
  EXPECT_TRUE(o["bins"].isNull());
  EXPECT_TRUE(o["binWidth"].isNull());
  EXPECT_TRUE(o["promisedWh"].isNull());
  EXPECT_TRUE(o["aep"][0]["curveKWh"].isNull());
  EXPECT_TRUE(o["curve"].isNull());
  EXPECT_EQ(o["deliveredWh"].toDouble(), 7.5) << "delivered needs no wind unit";
  std::map<QString, QString> why;
  for (const QJsonValue m : o["missing"].toArray())
    why[m["figure"].toString()] = m["reason"].toString();
  EXPECT_TRUE(why["bins"].startsWith("cannot convert \"furlongs\" to m/s")) << why["bins"].data();
  EXPECT_EQ(why["curveKWh"], "turbine.cfg: no Curve given");
  EXPECT_EQ(why["cp"], "turbine.cfg: no RotorDiameter given");
}

TEST_F(PerformanceTest, RangesTheAnalysisRefusesAreBadRequests) {
  startLogger();
  const struct {
    const char* query;
    int status;
    const char* error;
  } cases[] = {
      {"from=2000-01-01&to=2010-01-07", 200, ""},  // 3,660 days
      {"from=2000-01-01&to=2010-01-08", 400, "a range holds at most 3660 days"},
      {"from=2024-03-03&to=2024-03-01", 400, "the first day comes after the last"},
      {"from=2024-02-30&to=2024-03-01", 400, "from must be a real date, YYYY-MM-DD"},
      {"from=2024-03-01", 400, "to is missing"},
      {"from=2024-03-01&to=24-03-01", 400, "to must be a real date, YYYY-MM-DD"},
  };
  for (const auto& c : cases) {
    const HttpReply reply = get(std::string("/api/performance?") + c.query);
    EXPECT_EQ(reply.status, c.status) << c.query << ": " << reply.body;
    if (c.status == 400) {
      EXPECT_EQ(json(reply)["error"].toString(), c.error) << c.query;
    }
  }
}

}  // namespace
}  // namespace tamsel::test
