#pragma once
// A headless logger with its web dashboard in a temporary program folder,
// fed frames by a fake port and asked over real sockets.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <sstream>

#include "app/headless_logger.h"
#include "app/outputs/web_dashboard.h"
#include "config/program_config.h"
#include "support/fake_clock.h"
#include "support/fake_serial.h"
#include "support/temp_folder.h"
#include "web/http_client.h"

namespace tamsel::test {

// V 500 -> 12.50 V; I 164 -> 3.20 A; 40.0 W; R 5 -> 300 RPM; S 13 -> 6.5.
inline const char* kGoodFrame = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]";
inline const char* kSettingsCfg =
    "Calibration Settings\r\n\r\n\r\n<VoltDivider>40</VoltDivider>\r\n<VoltOffset>100</VoltOffset>"
    "\r\n<AmpDivider>20</AmpDivider>\r\n<RPMDivider>1</RPMDivider>\r\n<WSDivider>2</WSDivider>\r\n";

inline WebSettings loopbackAnyPort() {
  WebSettings settings;
  settings.port = 0;  // the system picks a free one
  return settings;
}

class WebTest : public ::testing::Test {
 protected:
  WebTest() {
    serial.availablePorts = {3};
    ProgramConfig cfg = setupDefaults();
    cfg.Port = "3";
    cfg.LogOn = "1";
    cfg.DisplayRPM = "1";
    cfg.DisplayWS = "1";
    cfg.WSUnits = "mph";
    folder.write("prog.cfg", programConfigText(cfg));
    folder.write("settings.cfg", kSettingsCfg);
  }

  void startLogger(WebSettings settings = loopbackAnyPort(), WebServer::Limits limits = {}) {
    outputs.dashboard = std::make_unique<WebDashboard>(folder.path(), settings, clock, limits);
    logger = std::make_unique<HeadlessLogger>(folder.path(), clock, serial, outputs);
    logger->start();
    ASSERT_FALSE(outputs.dashboard->address().empty()) << said.str();
  }
  quint16 port() { return outputs.dashboard->webServer().port(); }
  const LoggerSession& session() { return logger->loggerSession(); }
  HttpReply get(const std::string& target, const std::string& headers = {}) {
    HttpClient client(port());
    return client.request(target, headers);
  }
  static QJsonObject json(const HttpReply& reply) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(reply.body)).object();
  }

  TempFolder folder;
  FakeClock clock;  // 2010-05-23 14:05:33
  FakeSerial serial;
  std::ostringstream said;
  Outputs outputs{folder.path(), clock, RunMode::Headless, said};
  std::unique_ptr<WebDashboard>& dashboard = outputs.dashboard;
  std::unique_ptr<HeadlessLogger> logger;
};

}  // namespace tamsel::test
