// The program publishing to a real broker, and logging on while the broker is
// away. That both modes publish is the outputs table's (outputs_e2e_test.cpp).
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <regex>

#include "e2e/harness.h"
#include "support/mqtt_broker.h"

namespace tamsel::e2e {
namespace {

// "2010_05_22": yesterday's local date, as a day file's name has it.
std::string yesterdayStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm day{};
  ::localtime_r(&now, &day);
  day.tm_mday -= 1;
  day.tm_hour = 12;  // clear of any clock change
  std::mktime(&day);
  char text[16];
  std::strftime(text, sizeof text, "%Y_%m_%d", &day);
  return text;
}

std::string recordAt(const char* volts, const char* amps) {
  return std::string("<T>00:00</T><V>") + volts + "</V><I>" + amps +
         "</I><W>0</W><R>0</R><S>0</S><M></M>   0.0Wh\r\n";
}

TEST(MqttEndToEnd, RecordsArePublishedAsLoggedAndLoggingRidesOutTheBrokerAway) {
  test::MqttBroker broker;
  ASSERT_TRUE(broker.start());
  test::MqttSubscriber subscriber(broker.port());
  ASSERT_TRUE(ProgramRun::waitFor([&] { return subscriber.subscriptions() > 0; }));

  ProgramRun run;
  const int port = run.configure(2);
  run.publishTo(broker.port());
  // Yesterday full (at or above 30 V), and today 2 Ah at one second a record before the start.
  run.write("turbine.cfg", "Turbine Config File\r\n\r\n<FullVolts>30</FullVolts>\r\n");
  run.write("logs/P_" + yesterdayStamp() + ".txt", recordAt("31.00", "0.0"));
  run.write("logs/P_" + todayStamp() + ".txt", recordAt("12.00", "7200.0"));
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10"}));
  ASSERT_TRUE(run.startProgram({"--headless"}, {.display = false}));

  // Discovery follows "online" over the same connection, so it may still be on its way.
  const std::string windTopic = "homeassistant/sensor/e2e_wind_speed/config";
  ASSERT_TRUE(ProgramRun::waitFor([&] { return !subscriber.payloadsOn(windTopic).empty(); }))
      << run.read("program-output.txt");
  // prog.cfg's unit is known before the first connection.
  const std::string wind = subscriber.payloadsOn(windTopic).front();
  EXPECT_NE(wind.find(R"("unit_of_measurement":"mph","device_class":"wind_speed")"),
            std::string::npos)
      << wind;
  auto published = [&] { return subscriber.payloadsOn("tamsel/e2e/record"); };
  ASSERT_TRUE(ProgramRun::waitFor([&] { return published().size() >= 2; }))
      << run.read("program-output.txt");
  // Each published record is a logged line: same time, volts and amps.
  const std::regex fields(R"re("time":"(\d\d:\d\d)","volts":([\d.]+),"amps":([-\d.]+))re");
  for (const std::string& payload : published()) {
    std::smatch f;
    ASSERT_TRUE(std::regex_search(payload, f, fields)) << payload;
    const std::string logged =
        "<T>" + f[1].str() + "</T><V>" + f[2].str() + "</V><I>" + f[3].str() + "</I>";
    EXPECT_GT(linesHolding(run.recordLines(), logged), 0u) << payload << dump(run.recordLines());
  }
  EXPECT_FALSE(subscriber.payloadsOn("tamsel/e2e/reading").empty());
  EXPECT_EQ(subscriber.payloadsOn("homeassistant/sensor/e2e_watts/config").size(), 1u);
  // The battery's figures follow the records: today's 2 Ah and a little from
  // each record since, and yesterday the last full day.
  std::string battery;
  ASSERT_TRUE(ProgramRun::waitFor([&] {
    const auto states = subscriber.payloadsOn("tamsel/e2e/battery");
    battery = states.empty() ? "" : states.back();
    return !battery.empty();
  }));
  std::smatch b;
  ASSERT_TRUE(std::regex_match(
      battery, b, std::regex(R"re(\{"amp_hours_today":([\d.]+),"days_since_full":1\})re")))
      << battery;
  EXPECT_GE(std::stod(b[1]), 2.0) << battery;
  EXPECT_LT(std::stod(b[1]), 2.1) << battery;

  broker.stop();
  const size_t logged = run.recordLines().size();
  const double cpuBefore = run.program().cpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  ASSERT_TRUE(ProgramRun::waitFor([&] { return run.recordLines().size() >= logged + 4; }))
      << "records stopped while the broker was away";
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  // Reconnection attempts wait between tries: a loop that spun would use the
  // whole wall time, a waiting one a few hundredths of it.
  EXPECT_LT(run.program().cpuSeconds() - cpuBefore, 0.5 * wall);

  const size_t publishedBefore = published().size();
  ASSERT_TRUE(broker.start());
  // The next attempt may be up to one doubled delay away.
  ASSERT_TRUE(ProgramRun::waitFor([&] { return published().size() >= publishedBefore + 4; },
                                  std::chrono::seconds(40)))
      << "the records logged while the broker was away did not follow";

  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
  // Delivery to the subscriber runs on after the program has ended.
  EXPECT_TRUE(ProgramRun::waitFor([&] {
    const auto status = subscriber.payloadsOn("tamsel/e2e/status");
    return !status.empty() && status.back() == "offline";
  }));
  const auto errors = run.lines("errorlog.txt");
  EXPECT_EQ(linesHolding(errors, "MQTT broker not available"), 1u) << dump(errors);
  for (const auto& line : errors) {
    // The broker's trouble has nothing to do with the last frame.
    if (line.find("MQTT") != std::string::npos) {
      EXPECT_TRUE(line.ends_with(" <IM> ")) << line;
    }
  }
  EXPECT_EQ(linesHolding(errors, "MQTT broker connected again"), 1u) << dump(errors);
}

}  // namespace
}  // namespace tamsel::e2e
