// The JSON texts published, byte-exact since dashboards parse them; and the
// publisher against a real broker: what it publishes on connecting, and how
// it rides out the broker going away.
#include <gtest/gtest.h>

#include <QTcpServer>

#include "mqtt/mqtt_payloads.h"
#include "mqtt/mqtt_publisher.h"
#include "support/fake_clock.h"
#include "support/mqtt_broker.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};

// A reading has every quantity as a number with its unit; a record carries
// the logged line's values and time.
TEST(MqttPayloads, ReadingAndRecordHaveEveryQuantityAsANumberWithItsUnit) {
  Reading reading;
  reading.volts = "12.50";
  reading.amps = "3.20";
  reading.watts = "40.0";
  reading.rpm = "300.0";
  reading.windSpeed = 6.5;
  EXPECT_EQ(readingJson(reading, 0.04, "m/s", kAt),
            R"({"time":"2010-05-23T14:05:33","volts":12.50,"amps":3.20,"watts":40.0,)"
            R"("rpm":300.0,"wind_speed":6.5,"wind_speed_unit":"m/s","watt_hours_today":0.0})");
  const AveragedValues values{"12.53", "-3.2", "41", "350", 12};
  EXPECT_EQ(recordJson(kAt, values, 0.25, "mph"),
            R"({"date":"2010-05-23","time":"14:05","volts":12.53,"amps":-3.2,"watts":41.0,)"
            R"("rpm":350,"wind_speed":12,"wind_speed_unit":"mph","watt_hours_today":0.3})");
  EXPECT_EQ(batteryStateJson(12.345, 3), R"({"amp_hours_today":12.35,"days_since_full":3})");
  EXPECT_EQ(batteryStateJson(-0.5, std::nullopt),
            R"({"amp_hours_today":-0.50,"days_since_full":null})");
}

TEST(MqttPayloads, NumbersAreValidJson) {
  const struct {
    const char* text;
    const char* json;
  } numbers[] = {{".5", "0.5"}, {"-.5", "-0.5"}, {" 7 ", "7"}, {"+2", "2"},
                 {"3.", "3.0"}, {"1e3", "1e3"},  {"", "null"}, {"n/a", "null"}};
  for (const auto& n : numbers) EXPECT_EQ(jsonNumber(n.text), n.json) << n.text;
}

TEST(MqttPayloads, DiscoveryNamesOneSensorPerQuantity) {
  const auto messages =
      discoveryMessages({"tamsel/shed", "tamsel_shed", "Tamsel shed", "0.2.0", 30}, "knots");
  std::vector<std::string> topics;
  for (const auto& m : messages) topics.push_back(m.topic);
  EXPECT_EQ(topics, (std::vector<std::string>{
                        "homeassistant/sensor/tamsel_shed_volts/config",
                        "homeassistant/sensor/tamsel_shed_amps/config",
                        "homeassistant/sensor/tamsel_shed_watts/config",
                        "homeassistant/sensor/tamsel_shed_rpm/config",
                        "homeassistant/sensor/tamsel_shed_wind_speed/config",
                        "homeassistant/sensor/tamsel_shed_watt_hours_today/config",
                        "homeassistant/sensor/tamsel_shed_amp_hours_today/config",
                        "homeassistant/sensor/tamsel_shed_days_since_full/config",
                    }));
  const std::string device =
      R"("device":{"identifiers":["tamsel_shed"],"name":"Tamsel shed","manufacturer":"Tamsel",)"
      R"("model":"Wind generator logger","sw_version":"0.2.0"}})";
  // Three intervals of 30 s without a reading and the sensor shows as unavailable.
  EXPECT_EQ(
      messages[5].payload,
      R"({"name":"Energy today","unique_id":"tamsel_shed_watt_hours_today",)"
      R"("state_topic":"tamsel/shed/reading","value_template":"{{ value_json.watt_hours_today }}",)"
      R"("unit_of_measurement":"Wh","device_class":"energy","state_class":"total_increasing",)"
      R"("expire_after":90,"availability_topic":"tamsel/shed/status",)" +
          device);
  EXPECT_EQ(readingExpirySeconds(5), 60) << "never less than a minute";
  // The battery's figures come with each record and stand until the next: no expiry.
  EXPECT_EQ(
      messages[7].payload,
      R"({"name":"Days since full","unique_id":"tamsel_shed_days_since_full",)"
      R"("state_topic":"tamsel/shed/battery","value_template":"{{ value_json.days_since_full }}",)"
      R"("unit_of_measurement":"d","device_class":"duration","state_class":"measurement",)"
      R"("availability_topic":"tamsel/shed/status",)" +
          device);

  // The wind unit as typed: a class only for a unit the dashboard knows, no unit when empty.
  const struct {
    const char* units;
    const char* unitAndClass;
  } winds[] = {
      {"knots", R"("unit_of_measurement":"knots","state_class")"},
      {"mph", R"("unit_of_measurement":"mph","device_class":"wind_speed","state_class")"},
      {"", R"("value_template":"{{ value_json.wind_speed }}","state_class")"},
  };
  for (const auto& w : winds) {
    const std::string wind = discoveryMessages({"t", "c", "d", "v"}, w.units)[4].payload;
    EXPECT_NE(wind.find(w.unitAndClass), std::string::npos) << wind;
  }
  // mqtt.cfg's texts are UTF-8 already: the dashboard must subscribe to the very same bytes.
  const auto utf8 = discoveryMessages({"wind/sch\xC3\xBCr", "c", "d", "v"}, "mph");
  EXPECT_NE(utf8[0].payload.find("\"state_topic\":\"wind/sch\xC3\xBCr/reading\""),
            std::string::npos);
}

// Low volts raised and a silent board never yet raised; the others not configured.
AlarmBoard alarmBoard() {
  AlarmBoard board;
  board.settings.limits[indexOf(AlarmKind::LowVolts)] = 11.5;
  board.settings.limits[indexOf(AlarmKind::NoData)] = 10;
  board.states[indexOf(AlarmKind::LowVolts)] = {true, kAt, 11.4199, {}};
  return board;
}

TEST(MqttPayloads, AlarmsAreOneObjectAndOneProblemSensorEachOnTheLoggersDevice) {
  EXPECT_EQ(alarmJson(alarmBoard()),
            R"({"low_volts":{"state":"on","threshold":11.5,"value":11.42,)"
            R"("since":"2010-05-23T14:05:33"},)"
            R"("no_data":{"state":"off","threshold":10,"value":null,"since":null}})");
  const auto messages = alarmDiscoveryMessages(
      {"tamsel/shed", "tamsel_shed", "Tamsel shed", "0.2.0", 30}, alarmBoard().settings);
  ASSERT_EQ(messages.size(), kAlarmKindCount);
  EXPECT_EQ(messages[0].topic, "homeassistant/binary_sensor/tamsel_shed_alarm_low_volts/config");
  EXPECT_EQ(
      messages[0].payload,
      R"({"name":"Battery volts low","unique_id":"tamsel_shed_alarm_low_volts",)"
      R"("state_topic":"tamsel/shed/alarm","value_template":"{{ value_json.low_volts.state }}",)"
      R"("payload_on":"on","payload_off":"off","device_class":"problem",)"
      R"("json_attributes_topic":"tamsel/shed/alarm",)"
      R"("json_attributes_template":"{{ value_json.low_volts | tojson }}",)"
      R"("availability_topic":"tamsel/shed/status",)"
      R"("device":{"identifiers":["tamsel_shed"],"name":"Tamsel shed","manufacturer":"Tamsel",)"
      R"("model":"Wind generator logger","sw_version":"0.2.0"}})");
  // An alarm not configured takes its sensor away.
  EXPECT_EQ(messages[1].topic, "homeassistant/binary_sensor/tamsel_shed_alarm_high_volts/config");
  EXPECT_EQ(messages[1].payload, "");
  EXPECT_NE(messages[5].payload.find(R"("name":"No data")"), std::string::npos);
}

constexpr int kWaitMs = 20000;

MqttSettings settingsFor(int port) {
  MqttSettings settings;
  settings.host = "127.0.0.1";
  settings.port = port;
  settings.clientId = "tamsel_test";
  settings.topic = "tamsel/test";
  return settings;
}

class MqttPublisherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(broker.start());
    subscriber = std::make_unique<MqttSubscriber>(broker.port());
    ASSERT_TRUE(waitUntil([&] { return subscriber->subscriptions() > 0; }, kWaitMs));
    MqttSettings settings = settingsFor(broker.port());
    settings.intervalSeconds = 1;
    publisher = std::make_unique<MqttPublisher>(settings,
                                                MqttPublisher::Identity{"Tamsel test", "1"}, clock);
  }

  size_t count(const std::string& topic) const { return subscriber->payloadsOn(topic).size(); }
  bool waitFor(const std::string& topic, size_t atLeast) {
    return waitUntil([&] { return count(topic) >= atLeast; }, kWaitMs);
  }
  static AveragedValues record(int n) { return {"12.00", "1.0", std::to_string(n), "100", 5}; }

  MqttBroker broker;
  std::unique_ptr<MqttSubscriber> subscriber;
  FakeClock clock;
  std::unique_ptr<MqttPublisher> publisher;
};

// Connecting announces the device, then readings and records follow; a
// broker away is reported once and the newest records follow when it is back.
TEST_F(MqttPublisherTest, AnnouncesPublishesAndRidesOutTheBrokerAway) {
  int lost = 0, back = 0;
  QObject::connect(publisher.get(), &MqttPublisher::connectionLost, [&] { ++lost; });
  QObject::connect(publisher.get(), &MqttPublisher::connectionBack, [&] { ++back; });
  const DiscoveryNames names{"tamsel/test", "tamsel_test", "Tamsel test", "1", 1};
  publisher->setWindUnits("mph");
  AlarmBoard alarms = alarmBoard();
  alarms.states = {};
  publisher->alarmsChanged(alarms);
  publisher->start();
  ASSERT_TRUE(waitFor("tamsel/test/status", 1));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/status"), std::vector<std::string>{"online"});
  const auto discovery = discoveryMessages(names, "mph");
  ASSERT_TRUE(waitFor(discovery.back().topic, 1));
  publisher->batteryChanged(batteryStateJson(1.5, 2));
  ASSERT_TRUE(waitFor("tamsel/test/battery", 1));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/battery"),
            std::vector<std::string>{batteryStateJson(1.5, 2)});
  for (const auto& expected : discovery) {
    EXPECT_EQ(subscriber->payloadsOn(expected.topic), std::vector<std::string>{expected.payload})
        << expected.topic;
  }
  const auto alarmSensors = alarmDiscoveryMessages(names, alarms.settings);
  ASSERT_TRUE(waitFor("tamsel/test/alarm", 1));
  EXPECT_EQ(subscriber->payloadsOn(alarmSensors[0].topic),
            std::vector<std::string>{alarmSensors[0].payload});
  publisher->alarmsChanged(alarmBoard());
  ASSERT_TRUE(waitFor("tamsel/test/alarm", 2));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/alarm"),
            (std::vector<std::string>{alarmJson(alarms), alarmJson(alarmBoard())}));
  EXPECT_EQ(subscriber->payloadsOn(alarmSensors[0].topic).size(), 1u) << "the same sensors";

  // A unit changed in the setup window reaches the dashboard at once.
  const RetainedMessage wind = discoveryMessages(names, "km/h")[4];
  publisher->setWindUnits("km/h");
  ASSERT_TRUE(waitFor(wind.topic, 2));
  EXPECT_EQ(subscriber->payloadsOn(wind.topic).back(), wind.payload);

  Reading reading;
  reading.volts = "12.50";
  for (int i = 0; i < 50; ++i) publisher->readingAccepted(reading, 2.0);
  publisher->recordWritten(clock.now(), record(7), 2.0);
  ASSERT_TRUE(waitFor("tamsel/test/record", 1));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/record").front(),
            recordJson(clock.now(), record(7), 2.0, "km/h"));
  ASSERT_TRUE(waitFor("tamsel/test/reading", 1));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/reading"),
            std::vector<std::string>{readingJson(reading, 2.0, "km/h", clock.now())})
      << "fifty readings within one interval are one message";
  EXPECT_TRUE(waitUntil([&] { return publisher->recordsWaiting() == 0; }, kWaitMs))
      << "acknowledged records are let go";

  broker.stop();
  ASSERT_TRUE(waitUntil([&] { return lost > 0; }, kWaitMs));
  const size_t tooMany = MqttPublisher::kMostRecordsWaiting + 5;
  for (size_t n = 1; n <= tooMany; ++n) {
    publisher->recordWritten(clock.now(), record(static_cast<int>(n)), 0);
  }
  EXPECT_EQ(publisher->recordsWaiting(), MqttPublisher::kMostRecordsWaiting);
  runEventsFor(3500);  // the attempts at 1 s and 3 s fail while the broker is away
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(back, 0);

  ASSERT_TRUE(broker.start());
  ASSERT_TRUE(waitUntil([&] { return back > 0; }, kWaitMs));
  ASSERT_TRUE(waitFor("tamsel/test/record", 1 + MqttPublisher::kMostRecordsWaiting));
  const auto records = subscriber->payloadsOn("tamsel/test/record");
  EXPECT_EQ(records[1], recordJson(clock.now(), record(6), 0, "km/h")) << "the oldest went";
  EXPECT_EQ(records.back(), recordJson(clock.now(), record(static_cast<int>(tooMany)), 0, "km/h"));
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(back, 1);

  publisher->stop();
  ASSERT_TRUE(waitUntil(
      [&] { return subscriber->payloadsOn("tamsel/test/status").back() == "offline"; }, kWaitMs));
}

// A peer that takes connections and never says a word.
TEST(MqttPublisherSilence, APeerThatNeverAnswersIsReportedAsNoAnswer) {
  QTcpServer peer;
  ASSERT_TRUE(peer.listen(QHostAddress::LocalHost));
  MqttSettings settings = settingsFor(peer.serverPort());
  settings.keepAliveSeconds = 5;  // the shortest the client library takes
  FakeClock clock;
  MqttPublisher publisher(settings, {"Tamsel test", "1"}, clock);
  QString reason;
  QObject::connect(&publisher, &MqttPublisher::connectionLost,
                   [&](const QString& why) { reason = why; });
  publisher.start();
  ASSERT_TRUE(waitUntil([&] { return !reason.isEmpty(); }, kWaitMs));
  EXPECT_EQ(reason, "no answer from the broker within 5 s");
}

}  // namespace
}  // namespace tamsel::test
