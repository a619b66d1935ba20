// The JSON texts published: byte-exact, since dashboards parse them.
#include <gtest/gtest.h>

#include "mqtt/mqtt_payloads.h"

namespace tamsel {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};

TEST(MqttPayloads, ReadingHasEveryQuantityAsANumberWithItsUnit) {
  Reading reading;
  reading.volts = "12.50";
  reading.amps = "3.20";
  reading.watts = "40.0";
  reading.rpm = "300.0";
  reading.windSpeed = 6.5;
  EXPECT_EQ(readingJson(reading, 0.04, "m/s", kAt),
            R"({"time":"2010-05-23T14:05:33","volts":12.50,"amps":3.20,"watts":40.0,)"
            R"("rpm":300.0,"wind_speed":6.5,"wind_speed_unit":"m/s","watt_hours_today":0.0})");
}

TEST(MqttPayloads, RecordCarriesTheLoggedLinesValuesAndTime) {
  const AveragedValues values{"12.53", "-3.2", "41", "350", 12};
  EXPECT_EQ(recordJson(kAt, values, 0.25, "mph"),
            R"({"date":"2010-05-23","time":"14:05","volts":12.53,"amps":-3.2,"watts":41.0,)"
            R"("rpm":350,"wind_speed":12,"wind_speed_unit":"mph","watt_hours_today":0.3})");
}

TEST(MqttPayloads, NumbersAndStringsAreValidJson) {
  const struct {
    const char* text;
    const char* json;
  } numbers[] = {{".5", "0.5"}, {"-.5", "-0.5"}, {" 7 ", "7"}, {"+2", "2"},
                 {"3.", "3.0"}, {"1e3", "1e3"},  {"", "null"}, {"n/a", "null"}};
  for (const auto& n : numbers) EXPECT_EQ(jsonNumber(n.text), n.json) << n.text;
  EXPECT_EQ(jsonString("a\"b\\c\r\n\x01\xB0"), "\"a\\\"b\\\\c\\r\\n\\u0001\xC2\xB0\"");
}

TEST(MqttPayloads, DiscoveryNamesOneSensorPerQuantity) {
  const auto messages =
      discoveryMessages({"tamsel/shed", "tamsel_shed", "Tamsel shed", "0.2.0"}, "knots");
  std::vector<std::string> topics;
  for (const auto& m : messages) topics.push_back(m.topic);
  EXPECT_EQ(topics, (std::vector<std::string>{
                        "homeassistant/sensor/tamsel_shed_volts/config",
                        "homeassistant/sensor/tamsel_shed_amps/config",
                        "homeassistant/sensor/tamsel_shed_watts/config",
                        "homeassistant/sensor/tamsel_shed_rpm/config",
                        "homeassistant/sensor/tamsel_shed_wind_speed/config",
                        "homeassistant/sensor/tamsel_shed_watt_hours_today/config",
                    }));
  const std::string device =
      R"("device":{"identifiers":["tamsel_shed"],"name":"Tamsel shed","manufacturer":"Tamsel",)"
      R"("model":"Wind generator logger","sw_version":"0.2.0"}})";
  EXPECT_EQ(
      messages[5].payload,
      R"({"name":"Energy today","unique_id":"tamsel_shed_watt_hours_today",)"
      R"("state_topic":"tamsel/shed/reading","value_template":"{{ value_json.watt_hours_today }}",)"
      R"("unit_of_measurement":"Wh","device_class":"energy","state_class":"total_increasing",)"
      R"("availability_topic":"tamsel/shed/status",)" +
          device);
  // A unit the dashboard does not know for wind speed is shown as typed, with no class.
  EXPECT_EQ(messages[4].payload.find("device_class"), std::string::npos);
  EXPECT_NE(messages[4].payload.find(R"("unit_of_measurement":"knots")"), std::string::npos);
  const auto mph = discoveryMessages({"t", "c", "d", "v"}, "mph");
  EXPECT_NE(mph[4].payload.find(R"("device_class":"wind_speed")"), std::string::npos);
}

}  // namespace
}  // namespace tamsel
