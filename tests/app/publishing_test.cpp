// Starting publishing from mqtt.cfg: off unless enabled, and what the user
// must hear about goes to errorlog.txt.
#include "app/core/publishing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "config/mqtt_config.h"
#include "support/fake_clock.h"
#include "support/temp_folder.h"

namespace tamsel::test {
namespace {

TEST(Publishing, StartsOnlyWhenEnabledAndWarnsOfAPasswordOthersCanRead) {
  struct Case {
    const char* why;
    const char* enabled;
    const char* host;
    const char* password;
    mode_t mode;
    bool started;
    const char* noted;  // "" for nothing
  } cases[] = {
      {"off", "0", "broker", "secret", 0644, false, ""},
      {"on, private", "1", "broker", "secret", 0600, true, ""},
      {"on, readable", "1", "broker", "secret", 0644, true,
       "mqtt.cfg holds a password that other users can read: chmod 600 mqtt.cfg"},
      {"no password", "1", "broker", "", 0644, true, ""},
      {"no host", "1", "", "", 0600, false, "mqtt.cfg: Host is empty; nothing is published"},
  };
  FakeClock clock;
  for (const Case& c : cases) {
    TempFolder folder;
    MqttConfig config;
    config.Enabled = c.enabled;
    config.Host = c.host;
    config.Password = c.password;
    folder.write("mqtt.cfg", mqttConfigText(config));
    ASSERT_EQ(::chmod(folder.file("mqtt.cfg").c_str(), c.mode), 0);
    std::ostringstream said;
    const auto publisher = startPublishing(folder.path(), clock, "1", said);
    EXPECT_EQ(publisher != nullptr, c.started) << c.why;
    const std::string log = folder.read("errorlog.txt");
    if (*c.noted) {
      EXPECT_EQ(log, "2010_05_23  14:05:33  " + std::string(c.noted) + "   <IM> \r\n") << c.why;
      EXPECT_NE(said.str().find(c.noted), std::string::npos) << c.why;
    } else {
      EXPECT_EQ(log, "<missing>") << c.why;
    }
  }
  TempFolder none;
  std::ostringstream said;
  EXPECT_EQ(startPublishing(none.path(), clock, "1", said), nullptr);
  EXPECT_EQ(said.str(), "") << "no mqtt.cfg, nothing to say";
  ASSERT_EQ(::mkdir(none.file("mqtt.cfg").c_str(), 0755), 0);
  EXPECT_EQ(startPublishing(none.path(), clock, "1", said), nullptr);
  EXPECT_NE(said.str().find("mqtt.cfg cannot be read: a folder, not a regular file"),
            std::string::npos)
      << said.str();
}

}  // namespace
}  // namespace tamsel::test
