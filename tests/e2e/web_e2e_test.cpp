// The dashboard as a user reaches it: the real program, with the window or
// headless, started with a web.cfg and fed by the simulator.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>

#include "e2e/harness.h"
#include "support/free_port.h"
#include "web/http_client.h"
#include "web/web_settings.h"

namespace tamsel::e2e {
namespace {

QJsonObject reading(quint16 port) {
  test::HttpClient client(port);
  return QJsonDocument::fromJson(QByteArray::fromStdString(client.request("/api/reading").body))
      .object();
}

class DashboardEndToEnd : public ::testing::TestWithParam<bool> {};

TEST_P(DashboardEndToEnd, ServesTheLastFrameAndCountsEveryOne) {
  ProgramRun run;
  const int port = run.configure(2);
  const quint16 webPort = test::freeLocalPort();
  WebConfig web;
  web.Port = std::to_string(webPort);
  run.write("web.cfg", webConfigText(web));
  constexpr int kFrames = 60;
  ASSERT_TRUE(run.startBoard(port, {"--rate", "50", "--frames", std::to_string(kFrames),
                                    "--every-frame", "--bad-checksum-every", "7"}));
  const bool headless = GetParam();
  ASSERT_TRUE(run.startProgram(
      headless ? std::vector<std::string>{"--headless"} : std::vector<std::string>{},
      {.display = !headless}));
  ASSERT_EQ(run.board().exitStatus(60000), 0);
  QJsonObject shown;
  EXPECT_TRUE(ProgramRun::waitFor([&] {
    shown = reading(webPort);
    return shown["counters"].toObject()["frames"].toInt() == kFrames;
  })) << QJsonDocument(shown).toJson().toStdString()
      << run.read("program-output.txt");
  const auto sent = run.sentFrames();
  ASSERT_EQ(sent.size(), size_t{kFrames});
  EXPECT_EQ(shown["counters"].toObject()["checksumErrors"].toInt(), kFrames / 7);
  // The last frame has a good checksum (60 is no multiple of 7): it is the
  // reading shown, to the hundredth the window rounds it to.
  EXPECT_NEAR(shown["volts"].toDouble(), sent.back().volts, 0.0051);
  EXPECT_NEAR(shown["amps"].toDouble(), sent.back().amps, 0.0051);
  // The board has gone, and with it the line.
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !reading(webPort)["portOpen"].toBool(); }));
  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, DashboardEndToEnd, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Headless" : "Window"; });

}  // namespace
}  // namespace tamsel::e2e
