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
#include "support/logger_files.h"
#include "support/temp_folder.h"
#include "web/http_client.h"

namespace tamsel::test {

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
