// The dashboard as a user reaches it: the real program, with the window
// (drawn offscreen, or on a Wayland compositor) or headless, started with a
// web.cfg and fed by the simulator.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <csignal>

#include "config/calibration.h"
#include "e2e/harness.h"
#include "e2e/wayland_compositor.h"
#include "support/free_port.h"
#include "telemetry/frame_decoder.h"
#include "telemetry/live_display.h"
#include "web/http_client.h"
#include "web/web_settings.h"

namespace tamsel::e2e {
namespace {

QJsonObject reading(quint16 port) {
  test::HttpClient client(port);
  return QJsonDocument::fromJson(QByteArray::fromStdString(client.request("/api/reading").body))
      .object();
}

// The caption the window shows for `frame`, decoded with the board's calibration.
std::string captionOf(const ProgramRun& run, const std::string& frame) {
  const Calibration calibration = readCalibration(run.read("settings.cfg"), neutralCalibration());
  return readingCaption(decodeFrame(frame, scaleFrom(calibration)).reading);
}

enum class Mode { Window, Headless, Wayland };

class DashboardEndToEnd : public ::testing::TestWithParam<Mode> {};

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
  const Mode mode = GetParam();
  // Without a compositor's platform plugin, a Wayland desktop with no X
  // server behind it leaves the window unable to open at all.
  WaylandCompositor compositor;
  if (mode == Mode::Wayland) {
    ASSERT_TRUE(compositor.start(run.folder())) << compositor.log();
  }
  ASSERT_TRUE(run.startProgram(
      mode == Mode::Headless ? std::vector<std::string>{"--headless"} : std::vector<std::string>{},
      mode == Mode::Wayland ? compositor.clientEnvironment()
                            : ChildEnvironment{.display = mode == Mode::Window}));
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
  if (mode == Mode::Headless) {
    // The journal is told what runs, once start-up has settled.
    const std::string output = run.read("program-output.txt");
    EXPECT_NE(output.find("Tamsel logging from " + run.folder() + ": port " + std::to_string(port) +
                          " (com" + std::to_string(port) + " -> /dev/pts/"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("; dashboard at http://127.0.0.1:" + std::to_string(webPort) + "/\n"),
              std::string::npos)
        << output;
  }
  if (mode == Mode::Wayland) {
    // The compositor was told each reading in the title, up to the last frame's.
    std::vector<std::string> titles;
    EXPECT_TRUE(ProgramRun::waitFor([&] {
      titles = compositor.titles();
      return !titles.empty() && titles.back() == captionOf(run, sent.back().text);
    })) << captionOf(run, sent.back().text)
        << " is not the last title of\n"
        << dump(titles);
    // Each change of reading a title of its own ("Tamsel  12.73V 5.0A 63W").
    EXPECT_GE(std::count_if(titles.begin(), titles.end(),
                            [](const std::string& t) { return t.starts_with("Tamsel  "); }),
              2)
        << dump(titles);
  }
  // The board has gone, and with it the line.
  EXPECT_TRUE(ProgramRun::waitFor([&] { return !reading(webPort)["portOpen"].toBool(); }));
  ::kill(run.program().pid(), SIGTERM);
  EXPECT_EQ(run.program().exitStatus(), 0);
}

std::string modeName(const ::testing::TestParamInfo<Mode>& info) {
  const char* names[] = {"Window", "Headless", "Wayland"};
  return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Modes, DashboardEndToEnd,
                         ::testing::Values(Mode::Window, Mode::Headless, Mode::Wayland), modeName);

}  // namespace
}  // namespace tamsel::e2e
