#include "config/mqtt_config.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::TempFolder;

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

  TempFolder folder;
  folder.write("ca.pem", "-----BEGIN CERTIFICATE-----\n");
  struct Case {
    const char* key;
    std::string MqttConfig::*field;
    std::string value;
    std::string error;  // "" when usable
  } cases[] = {
      {"Port", &MqttConfig::Port, "8883", ""},
      {"Port", &MqttConfig::Port, "0", "mqtt.cfg: Port is no number from 1 to 65535"},
      {"Port", &MqttConfig::Port, "1883.5", "mqtt.cfg: Port is no number from 1 to 65535"},
      {"Interval", &MqttConfig::Interval, "often",
       "mqtt.cfg: Interval is no number of seconds from 1"},
      {"Topic", &MqttConfig::Topic, "home/wind/", ""},
      {"Topic", &MqttConfig::Topic, "home/#", "mqtt.cfg: Topic may not hold + or #"},
      {"Host", &MqttConfig::Host, "  ", "mqtt.cfg: Host is empty"},
      {"Host", &MqttConfig::Host, std::string(254, 'h'), "mqtt.cfg: Host is longer than 253 bytes"},
      // Each topic published adds "/reading" at most to the prefix, within MQTT's 65,535 bytes.
      {"Topic", &MqttConfig::Topic, std::string(65527, 't'), ""},
      {"Topic", &MqttConfig::Topic, std::string(70000, 't'),
       "mqtt.cfg: Topic is longer than 65,527 bytes"},
      {"Password", &MqttConfig::Password, std::string(65536, 'p'),
       "mqtt.cfg: Password is longer than 65,535 bytes"},
      {"Topic", &MqttConfig::Topic, "wind/sch\xC3\xBCr", ""},
      {"Topic", &MqttConfig::Topic, "wind/sch\xFCr", "mqtt.cfg: Topic is not valid UTF-8"},
      {"Username", &MqttConfig::Username, "a\tb", "mqtt.cfg: Username holds a control character"},
      {"Password", &MqttConfig::Password, "\xFF\x01", ""},
      {"CAFile", &MqttConfig::CAFile, folder.file("ca.pem"), ""},
      {"CAFile", &MqttConfig::CAFile, folder.file("none.pem"),
       "mqtt.cfg: CAFile cannot be read: No such file or directory"},
  };
  for (const Case& c : cases) {
    MqttConfig config = text;
    config.*c.field = c.value;
    const Result<MqttSettings> result = mqttSettings(config, "shed");
    EXPECT_EQ(result ? "" : result.error(), c.error) << c.key << " " << c.value.substr(0, 40);
  }
  MqttConfig topic = text;
  topic.Topic = "home/wind/";
  EXPECT_EQ(mqttSettings(topic, "shed")->topic, "home/wind");
  EXPECT_FALSE(isMqttEnabled(readMqttConfig("<Enabled>0</Enabled><Host>b</Host>")));
}

}  // namespace
}  // namespace tamsel
