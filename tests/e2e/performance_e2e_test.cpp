// The turbine analysis as the dashboard serves it from the real program:
// day files written by the history generator, and a few of the figures
// worked out here from the files' text, by a reckoning of this test's own.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <ctime>
#include <map>

#include "config/web_config.h"
#include "e2e/harness.h"
#include "support/free_port.h"
#include "web/http_client.h"

namespace tamsel::e2e {
namespace {

constexpr int kDelay = 60;  // seconds per record, the generator's and prog.cfg's

// The text between <tag> and </tag> in `line`, as a number.
double tagged(const std::string& line, const std::string& tag) {
  const size_t start = line.find("<" + tag + ">") + tag.size() + 2;
  return std::stod(line.substr(start, line.find("</" + tag + ">") - start));
}

struct Bin {
  long count = 0;
  double wind = 0, power = 0;
};
struct Day {
  double minVolts = 1e9, maxVolts = -1e9;
  std::string minAt, maxAt;
};
struct Expected {
  std::map<int, Bin> bins;  // whole m/s: the records' wind is written whole
  double deliveredWh = 0;
  std::vector<Day> days;
};

Expected reckon(const ProgramRun& run, const std::vector<std::string>& dayFiles) {
  Expected e;
  for (const std::string& name : dayFiles) {
    Day day;
    std::string text = run.read("logs/" + name);
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      const std::string line = text.substr(at, end - at);
      if (line.find("<T>") == std::string::npos) continue;
      const std::string time = line.substr(line.find("<T>") + 3, 5);
      const double volts = tagged(line, "V"), watts = tagged(line, "W"), wind = tagged(line, "S");
      e.deliveredWh += watts * kDelay / 3600;
      if (wind > 0) {
        Bin& bin = e.bins[static_cast<int>(wind)];
        ++bin.count;
        bin.wind += wind;
        bin.power += watts;
      }
      if (volts < day.minVolts) day.minVolts = volts, day.minAt = time;
      if (volts > day.maxVolts) day.maxVolts = volts, day.maxAt = time;
    }
    e.days.push_back(day);
  }
  return e;
}

// The local date `back` days before today, as the generator reckons it.
std::string isoDaysAgo(int back) {
  const std::time_t now = std::time(nullptr);
  std::tm day{};
  ::localtime_r(&now, &day);
  day.tm_mday -= back;
  day.tm_hour = 12;  // clear of any clock change
  std::mktime(&day);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &day);
  return text;
}

TEST(PerformanceEndToEnd, TheDashboardsFiguresAreTheDayFilesOwn) {
  ProgramRun run;
  const int port = run.configure(7, [](ProgramConfig& c) {
    c.LogDelay = std::to_string(kDelay);
    c.WSUnits = "m/s";
  });
  // Three whole days before today: the running program writes only today's.
  ASSERT_EQ(QProcess::execute(HISTORY_GEN_BINARY, {"--folder", QString::fromStdString(run.folder()),
                                                   "--days", "3", "--delay", "60"}),
            0);
  std::vector<std::string> dayFiles;
  for (int back = 3; back >= 1; --back) {
    const std::string iso = isoDaysAgo(back);
    dayFiles.push_back("P_" + iso.substr(0, 4) + "_" + iso.substr(5, 2) + "_" + iso.substr(8, 2) +
                       ".txt");
  }
  const Expected expected = reckon(run, dayFiles);
  const quint16 webPort = test::freeLocalPort();
  WebConfig web;
  web.Port = std::to_string(webPort);
  run.write("web.cfg", webConfigText(web));
  ASSERT_TRUE(run.startBoard(port, {"--rate", "20", "--frames", "20"}));
  ASSERT_TRUE(run.startProgram({"--headless"}));

  test::HttpReply reply;
  const std::string target = "/api/performance?from=" + isoDaysAgo(3) + "&to=" + isoDaysAgo(1);
  EXPECT_TRUE(ProgramRun::waitFor([&] {
    // Until the program listens, a refused connection has no answer to wait for.
    test::HttpClient client(webPort);
    if (!client.connected()) return false;
    reply = client.request(target);
    return reply.status == 200;
  })) << reply.status
      << " " << reply.body << run.read("program-output.txt");
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(reply.body)).object();

  const QJsonArray bins = o["bins"].toArray();
  ASSERT_EQ(bins.size(), static_cast<int>(expected.bins.size())) << reply.body.substr(0, 400);
  int i = 0;
  for (const auto& [speed, bin] : expected.bins) {
    const QJsonObject b = bins[i++].toObject();
    EXPECT_EQ(b["count"].toInt(), bin.count) << speed << " m/s";
    EXPECT_NEAR(b["wind"].toDouble(), bin.wind / bin.count, 1e-9) << speed << " m/s";
    EXPECT_NEAR(b["power"].toDouble(), bin.power / bin.count, 1e-9) << speed << " m/s";
  }
  EXPECT_NEAR(o["deliveredWh"].toDouble(), expected.deliveredWh, 1e-6);
  const QJsonArray battery = o["battery"].toArray();
  ASSERT_EQ(battery.size(), 3);
  for (int d = 0; d < 3; ++d) {
    const QJsonObject day = battery[d].toObject();
    EXPECT_EQ(day["date"].toString().toStdString(), isoDaysAgo(3 - d));
    EXPECT_EQ(day["minVolts"].toDouble(), expected.days[d].minVolts);
    EXPECT_EQ(day["minAt"].toString().toStdString(), expected.days[d].minAt);
    EXPECT_EQ(day["maxVolts"].toDouble(), expected.days[d].maxVolts);
    EXPECT_EQ(day["maxAt"].toString().toStdString(), expected.days[d].maxAt);
  }
  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
}

}  // namespace
}  // namespace tamsel::e2e
