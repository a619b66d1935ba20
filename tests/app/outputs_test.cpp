// Which outputs each mode makes: every kind has its row, and makeOutputs
// builds what the rows say.
#include <gtest/gtest.h>

#include <sstream>

#include "app/outputs/make_outputs.h"
#include "config/alarm_config.h"
#include "config/mqtt_config.h"
#include "config/tsdb_config.h"
#include "support/fake_clock.h"
#include "support/free_port.h"
#include "support/temp_folder.h"
#include "web/web_settings.h"

namespace tamsel::test {
namespace {

TEST(Outputs, EveryKindHasOneRowAndEachModeMakesWhatItsRowSays) {
  for (size_t i = 0; i < kOutputKindCount; ++i) {
    EXPECT_EQ(static_cast<size_t>(kOutputsByMode[i].kind), i) << "row " << i;
    EXPECT_FALSE(kOutputsByMode[i].why.empty()) << "row " << i;
  }
  // Every output that can be made is asked for.
  TempFolder folder;
  MqttConfig mqtt;
  mqtt.Enabled = "1";
  mqtt.Host = "127.0.0.1";
  folder.write("mqtt.cfg", mqttConfigText(mqtt));
  WebConfig web;
  web.Port = std::to_string(freeLocalPort());
  folder.write("web.cfg", webConfigText(web));
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  folder.write("alarm.cfg", alarmConfigText(alarms));
  TsdbConfig tsdb;
  tsdb.Enabled = "1";
  tsdb.URL = "http://127.0.0.1:1/write";
  folder.write("tsdb.cfg", tsdbConfigText(tsdb));
  FakeClock clock;
  std::ostringstream said;
  for (RunMode mode : {RunMode::Window, RunMode::Headless}) {
    const auto outputs = makeOutputs({folder.path(), mode, clock, "1", said});
    for (size_t i = 0; i < kOutputKindCount; ++i) {
      const auto kind = static_cast<OutputKind>(i);
      EXPECT_EQ(outputs->has(kind), madeIn(kind, mode))
          << "kind " << i << (mode == RunMode::Window ? " in the window" : " headless");
    }
  }
  EXPECT_EQ(said.str(), "");
}

}  // namespace
}  // namespace tamsel::test
