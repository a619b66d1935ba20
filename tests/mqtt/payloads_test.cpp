// The JSON texts published: byte-exact, since dashboards parse them.
#include <gtest/gtest.h>

#include "mqtt/mqtt_payloads.h"

namespace tamsel {
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

}  // namespace
}  // namespace tamsel
