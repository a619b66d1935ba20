// A battery run low on the simulator, seen by the headless logger: the alarm
// is raised and cleared in each place an unattended logger tells it, and the
// board's ordinary wandering raises nothing.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>

#include "config/alarm_config.h"
#include "config/mqtt_config.h"
#include "e2e/harness.h"
#include "support/free_port.h"
#include "support/mqtt_broker.h"
#include "web/http_client.h"
#include "web/web_settings.h"

namespace tamsel::e2e {
namespace {

const ChildEnvironment kHeadless{.display = false};

// Whether the dashboard's reading says an alarm is raised.
bool dashboardRaised(quint16 port) {
  test::HttpClient client(port);
  const test::HttpReply reply = client.request("/api/reading");
  return QJsonDocument::fromJson(QByteArray::fromStdString(reply.body))["alarmActive"].toBool();
}

std::string metrics(quint16 port) {
  test::HttpClient client(port);
  return client.request("/metrics").body;
}

TEST(AlarmEndToEnd, ALowBatteryIsRaisedAndClearedInEveryPlaceHeadless) {
  test::MqttBroker broker;
  ASSERT_TRUE(broker.start());
  test::MqttSubscriber subscriber(broker.port());
  ASSERT_TRUE(ProgramRun::waitFor([&] { return subscriber.subscriptions() > 0; }));

  ProgramRun run;
  // The error log is written whatever dispMessages says: nobody watches a window.
  const int port = run.configure(5, [](ProgramConfig& c) { c.dispMessages = "0"; });
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  alarms.HoldSeconds = "2";
  run.write("alarm.cfg", alarmConfigText(alarms));
  MqttConfig mqtt;
  mqtt.Enabled = "1";
  mqtt.Host = "127.0.0.1";
  mqtt.Port = std::to_string(broker.port());
  mqtt.ClientId = "e2e";
  mqtt.Topic = "tamsel/e2e";
  run.write("mqtt.cfg", mqttConfigText(mqtt));
  const quint16 webPort = test::freeLocalPort();
  WebConfig web;
  web.Port = std::to_string(webPort);
  run.write("web.cfg", webConfigText(web));

  // The logger first, so it is reading when the battery runs low: it takes the
  // port as soon as the board is there.
  ASSERT_TRUE(run.startProgram({"--headless"}, kHeadless));
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10", "--low-volts", "11", "--low-volts-after", "4",
                                    "--low-volts-for", "6"}));
  const std::string raised = "  LowVolts alarm raised: battery at ";
  const std::string cleared = "  LowVolts alarm cleared: battery at ";
  auto logged = [&](const std::string& line) {
    return linesHolding(run.lines("errorlog.txt"), line) > 0;
  };
  ASSERT_TRUE(ProgramRun::waitFor([&] { return logged(raised); }, std::chrono::seconds(40)))
      << run.read("program-output.txt");
  EXPECT_TRUE(dashboardRaised(webPort));
  EXPECT_NE(metrics(webPort).find("tamsel_alarm_active{alarm=\"low_volts\"} 1"), std::string::npos);
  // The state is shown at once; the words of a clear within the minute after
  // the raise are held, and written down when the logger leaves.
  ASSERT_TRUE(
      ProgramRun::waitFor([&] { return !dashboardRaised(webPort); }, std::chrono::seconds(40)))
      << run.read("errorlog.txt");

  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
  const auto errors = run.lines("errorlog.txt");
  EXPECT_EQ(linesHolding(errors, " alarm raised: "), 1u) << dump(errors);
  EXPECT_EQ(linesHolding(errors, " alarm cleared: "), 1u) << dump(errors);
  // The journal has the same lines.
  const std::string said = run.read("program-output.txt");
  EXPECT_NE(said.find(raised), std::string::npos) << said;
  EXPECT_NE(said.find(" V, below 11.5 V"), std::string::npos) << said;
  EXPECT_NE(said.find(cleared), std::string::npos) << said;
  // MQTT: off at first, on, then off again, each retained for a dashboard.
  std::vector<std::string> states;
  for (const std::string& payload : subscriber.payloadsOn("tamsel/e2e/alarm")) {
    const std::string state = payload.substr(payload.find("\"state\":\"") + 9, 3);
    if (states.empty() || states.back() != state) states.push_back(state);
  }
  EXPECT_EQ(states, (std::vector<std::string>{"off", "on\"", "off"}));
  EXPECT_EQ(subscriber.payloadsOn("homeassistant/binary_sensor/e2e_alarm_low_volts/config").size(),
            1u);
}

}  // namespace
}  // namespace tamsel::e2e
