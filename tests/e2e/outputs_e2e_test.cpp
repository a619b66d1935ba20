// Every output in both modes, started as a user starts the program: a
// battery run low on the simulator is raised and cleared in each place the
// mode tells it (the desktop's notification service stood in for on a
// session bus of the test's own), and the readings and records reach the broker.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>

#include "config/alarm_config.h"
#include "e2e/harness.h"
#include "support/free_port.h"
#include "support/mqtt_broker.h"
#include "support/notification_service.h"
#include "support/wait_until.h"
#include "web/http_client.h"
#include "web/web_settings.h"

namespace tamsel::e2e {
namespace {

struct ModeRow {
  const char* name;
  std::vector<std::string> arguments;
  // Headless, the error log has alarms whatever dispMessages says: nobody watches a window.
  const char* dispMessages;
  // Only a window has a desktop to notify.
  bool notifies;
};

void PrintTo(const ModeRow& row, std::ostream* out) {
  *out << row.name;
}

const ModeRow kModes[] = {
    {"Window", {}, "1", true},
    {"Headless", {"--headless"}, "0", false},
};

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

// Runs the event loop while waiting, so the stand-in notification service answers.
bool waitFor(const std::function<bool()>& condition, int seconds) {
  return test::waitUntil(condition, seconds * 1000);
}

class OutputsEndToEnd : public ::testing::TestWithParam<ModeRow> {};

TEST_P(OutputsEndToEnd, ALowBatteryReachesEveryOutputOfTheMode) {
  const ModeRow& mode = GetParam();
  test::MqttBroker broker;
  ASSERT_TRUE(broker.start());
  test::MqttSubscriber subscriber(broker.port());
  ASSERT_TRUE(waitFor([&] { return subscriber.subscriptions() > 0; }, 15));
  test::NotificationService desktop;
  ASSERT_TRUE(desktop.start());

  ProgramRun run;
  const int port = run.configure(5, [&](ProgramConfig& c) { c.dispMessages = mode.dispMessages; });
  run.write("alarm.sh", "#!/bin/sh\necho \"$@\" >> commands.txt\n");
  ASSERT_EQ(::chmod(run.file("alarm.sh").c_str(), 0755), 0);
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  alarms.HoldSeconds = "2";
  alarms.Command = "alarm.sh";
  run.write("alarm.cfg", alarmConfigText(alarms));
  run.publishTo(broker.port());
  const quint16 webPort = test::freeLocalPort();
  WebConfig web;
  web.Port = std::to_string(webPort);
  run.write("web.cfg", webConfigText(web));

  // The board first, so the window opens its port without asking anything.
  ASSERT_TRUE(run.startBoard(port, {"--rate", "10", "--low-volts", "11", "--low-volts-after", "8",
                                    "--low-volts-for", "6"}));
  const std::string bus = "DBUS_SESSION_BUS_ADDRESS=" + desktop.address().toStdString();
  ASSERT_TRUE(
      run.startProgram(mode.arguments, {.display = mode.arguments.empty(), .variables = {bus}}));
  const std::string raised = "  LowVolts alarm raised: battery at ";
  const std::string cleared = "  LowVolts alarm cleared: battery at ";
  auto logged = [&](const std::string& line) {
    return linesHolding(run.lines("errorlog.txt"), line) > 0;
  };
  ASSERT_TRUE(waitFor([&] { return logged(raised); }, 40)) << run.read("program-output.txt");
  EXPECT_TRUE(dashboardRaised(webPort));
  EXPECT_NE(metrics(webPort).find("tamsel_alarm_active{alarm=\"low_volts\"} 1"), std::string::npos);
  EXPECT_TRUE(
      waitFor([&] { return run.read("commands.txt").find("raised") != std::string::npos; }, 15))
      << run.read("errorlog.txt");
  ASSERT_TRUE(waitFor([&] { return !dashboardRaised(webPort); }, 40)) << run.read("errorlog.txt");
  // The words of a clear within the minute after the raise are held: the
  // desktop and the command hear of it a minute after the raise.
  if (mode.notifies) {
    ASSERT_TRUE(waitFor([&] { return desktop.calls().size() >= 2; }, 90))
        << run.read("errorlog.txt");
    const auto& raisedCall = desktop.calls()[0];
    EXPECT_EQ(raisedCall.app, "Tamsel");
    EXPECT_EQ(raisedCall.summary, "LowVolts alarm raised");
    EXPECT_TRUE(raisedCall.body.startsWith("battery at ")) << raisedCall.body.toStdString();
    EXPECT_EQ(raisedCall.urgency, 2);
    // The clearing replaces the raising, as the service numbered it.
    EXPECT_EQ(desktop.calls()[1].summary, "LowVolts alarm cleared");
    EXPECT_EQ(desktop.calls()[1].replaces, 41u);
    EXPECT_EQ(desktop.calls()[1].urgency, 1);
    EXPECT_TRUE(
        waitFor([&] { return run.read("commands.txt").find("cleared") != std::string::npos; }, 15));
  }

  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
  const auto errors = run.lines("errorlog.txt");
  EXPECT_EQ(linesHolding(errors, " alarm raised: "), 1u) << dump(errors);
  EXPECT_EQ(linesHolding(errors, " alarm cleared: "), 1u) << dump(errors);
  if (!mode.notifies) {
    EXPECT_TRUE(desktop.calls().empty());
    // The journal has the same lines.
    const std::string said = run.read("program-output.txt");
    EXPECT_NE(said.find(raised), std::string::npos) << said;
    EXPECT_NE(said.find(" V, below 11.5 V"), std::string::npos) << said;
    EXPECT_NE(said.find(cleared), std::string::npos) << said;
  }
  // MQTT: readings, records, and the alarm off at first, on, then off
  // again, each retained for a dashboard.
  EXPECT_FALSE(subscriber.payloadsOn("tamsel/e2e/reading").empty());
  EXPECT_FALSE(subscriber.payloadsOn("tamsel/e2e/record").empty());
  std::vector<std::string> states;
  for (const std::string& payload : subscriber.payloadsOn("tamsel/e2e/alarm")) {
    const std::string state = payload.substr(payload.find("\"state\":\"") + 9, 3);
    if (states.empty() || states.back() != state) states.push_back(state);
  }
  EXPECT_EQ(states, (std::vector<std::string>{"off", "on\"", "off"}));
  EXPECT_EQ(subscriber.payloadsOn("homeassistant/binary_sensor/e2e_alarm_low_volts/config").size(),
            1u);
}

INSTANTIATE_TEST_SUITE_P(Modes, OutputsEndToEnd, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamsel::e2e
