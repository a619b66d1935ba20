// The publisher against a real broker: what it publishes on connecting, and
// how it rides out the broker going away.
#include <gtest/gtest.h>

#include <QTcpServer>

#include "mqtt/mqtt_payloads.h"
#include "mqtt/mqtt_publisher.h"
#include "support/fake_clock.h"
#include "support/mqtt_broker.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

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
  publisher->start();
  ASSERT_TRUE(waitFor("tamsel/test/status", 1));
  EXPECT_EQ(subscriber->payloadsOn("tamsel/test/status"), std::vector<std::string>{"online"});
  ASSERT_TRUE(waitUntil([&] { return subscriber->messages().size() >= 7; }, kWaitMs));
  for (const auto& expected : discoveryMessages(names, "mph")) {
    EXPECT_EQ(subscriber->payloadsOn(expected.topic), std::vector<std::string>{expected.payload})
        << expected.topic;
  }
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
