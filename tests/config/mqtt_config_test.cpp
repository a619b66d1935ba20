#include "config/mqtt_config.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(MqttConfigTest, DefaultsFillWhatIsMissingAndBadNumbersAreRefused) {
  const MqttConfig text = readMqttConfig(
      "MQTT Config File\r\n\r\n<Enabled>1</Enabled>\r\n<Host> broker.lan </Host>\r\n");
  EXPECT_TRUE(isMqttEnabled(text));
  const Result<MqttSettings> settings = mqttSettings(text, "shed.lan");
  ASSERT_TRUE(settings) << settings.error();
  EXPECT_EQ(settings->host, "broker.lan");
  EXPECT_EQ(settings->port, 1883);
  EXPECT_EQ(settings->clientId, "tamsel_shed_lan");
  EXPECT_EQ(settings->topic, "tamsel/shed_lan");
  EXPECT_EQ(settings->intervalSeconds, 5);

  struct Case {
    const char* key;
    std::string MqttConfig::*field;
    const char* value;
    const char* error;  // "" when usable
  } cases[] = {
      {"Port", &MqttConfig::Port, "8883", ""},
      {"Port", &MqttConfig::Port, "0", "mqtt.cfg: Port is no number from 1 to 65535"},
      {"Port", &MqttConfig::Port, "1883.5", "mqtt.cfg: Port is no number from 1 to 65535"},
      {"Interval", &MqttConfig::Interval, "often",
       "mqtt.cfg: Interval is no number of seconds from 1"},
      {"Topic", &MqttConfig::Topic, "home/wind/", ""},
      {"Topic", &MqttConfig::Topic, "home/#", "mqtt.cfg: Topic may not hold + or #"},
      {"Host", &MqttConfig::Host, "  ", "mqtt.cfg: Host is empty"},
  };
  for (const Case& c : cases) {
    MqttConfig config = text;
    config.*c.field = c.value;
    const Result<MqttSettings> result = mqttSettings(config, "shed");
    EXPECT_EQ(result ? "" : result.error(), c.error) << c.key << " " << c.value;
  }
  MqttConfig topic = text;
  topic.Topic = "home/wind/";
  EXPECT_EQ(mqttSettings(topic, "shed")->topic, "home/wind");
  EXPECT_FALSE(isMqttEnabled(readMqttConfig("<Enabled>0</Enabled><Host>b</Host>")));
}

}  // namespace
}  // namespace tamsel
