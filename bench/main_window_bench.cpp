// The cost of frames through the main window, and through the logger with
// no window, on the platform this pass runs on (see platform_passes.cpp):
// - as fast as a fake port can deliver them, with MQTT publishing off (0)
//   and on (1): the window's own work per frame. The publisher's cost per
//   frame is measured alone as well: it is far below the window's noise.
// - paced, from the board simulator through the real serial port, at a rate
//   and with the live plot off (0) or on (1): what a user's machine spends,
//   paints and the display's share included.
// - the live plot's memory once its marks are at their cap, and after half
//   an hour of frames more.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <optional>

#include "app/headless_logger.h"
#include "app/orvane_logger.h"
#include "app/outputs/mqtt_feed.h"
#include "board_line.h"
#include "config/calibration.h"
#include "config/program_config.h"
#include "mqtt/mqtt_publisher.h"
#include "platform/clock.h"
#include "platform/serial/qt_serial_control.h"
#include "platform_passes.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial.h"
#include "support/find_control.h"

namespace {

void write(const QString& path, const std::string& text) {
  std::ofstream(path.toStdString(), std::ios::binary) << text;
}

// A frame for each of a few readings, so every frame changes the texts shown.
std::vector<std::string> frames() {
  std::vector<std::string> result;
  for (int v = 480; v < 520; ++v) {
    const int i = 150 + v % 7, r = 5 + v % 3, s = 10 + v % 5;
    result.push_back("[<V>" + std::to_string(v) + "</V><I>" + std::to_string(i) + "</I><R>" +
                     std::to_string(r) + "</R><S>" + std::to_string(s) + "</S><C>" +
                     std::to_string(v + i + r + s) + "</C>]");
  }
  return result;
}

// A broker nobody runs: the publisher is never connected, and what a frame
// costs it is the same either way (sending happens once per interval).
tamsel::MqttSettings unreachableBroker() {
  tamsel::MqttSettings settings;
  settings.host = "127.0.0.1";
  return settings;
}

// The window on a fake port, its folder set up with logging on.
struct WindowOnAFakePort {
  explicit WindowOnAFakePort(bool publishing) {
    tamsel::ProgramConfig config = tamsel::setupDefaults();
    config.Port = "3";
    config.DisplayRPM = "1";
    config.DisplayWS = "1";
    config.LogOn = "1";
    write(folder.filePath("prog.cfg"), tamsel::programConfigText(config));
    write(folder.filePath("settings.cfg"), tamsel::calibrationText({"40", "100", "20", "1", "2"}));
    serial.availablePorts = {3};
    if (publishing) {
      mqtt.emplace(std::make_unique<tamsel::MqttPublisher>(
          unreachableBroker(), tamsel::MqttPublisher::Identity{"bench", "0"}, clock));
    }
    std::vector<tamsel::SessionObserver*> outputs;
    if (mqtt) outputs.push_back(&*mqtt);
    window = std::make_unique<tamsel::OrvaneLogger>(tamsel::OrvaneLogger::Services{
        folder.path().toStdString(), clock, dialogs, serial, unused, outputs});
    window->show();
    window->Form_Load();
    QApplication::processEvents();
  }

  // Delivers the next of `texts` and handles what it sets off, paints included.
  void deliverNext() {
    serial.deliver(texts[next++ % texts.size()]);
    QApplication::processEvents();
  }

  QTemporaryDir folder;
  tamsel::test::FakeClock clock;
  tamsel::test::FakeDialogs dialogs;
  tamsel::test::FakeSerial serial;
  tamsel::test::FakeSerial unused;
  std::optional<tamsel::MqttFeed> mqtt;
  std::unique_ptr<tamsel::OrvaneLogger> window;
  const std::vector<std::string> texts = frames();
  size_t next = 0;
};

void BM_FrameThroughTheWindow(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  WindowOnAFakePort port(state.range(0) != 0);
  for (auto _ : state) port.deliverNext();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameThroughTheWindow)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->UseRealTime();

// Measures frames from `serial` paced by the board at `rate`, once.
void measureOnTheLine(benchmark::State& state, tamsel::SerialControl& serial, int rate) {
  for (auto _ : state) {
    tamsel::bench::PacedRun run;
    std::string error;
    if (!tamsel::bench::measurePaced(serial, rate, run, error)) {
      tamsel::bench::fail(state, error);
      break;
    }
    state.SetIterationTime(run.wallSeconds);
    state.counters["cpu_us_per_frame"] = run.cpuSeconds * 1e6 / double(run.frames);
    state.counters["frames"] = double(run.frames);
    state.counters["cpu_share"] = run.cpuSeconds / run.wallSeconds;
  }
}

void BM_WindowOnTheLine(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  const int rate = int(state.range(0));
  tamsel::bench::BoardLine line(rate);
  if (!line.error().empty()) return tamsel::bench::fail(state, line.error());
  tamsel::SystemClock clock;
  tamsel::test::FakeDialogs dialogs;
  tamsel::QtSerialControl serial(line.folder());
  tamsel::test::FakeSerial unused;
  tamsel::OrvaneLogger window({line.folder(), clock, dialogs, serial, unused});
  window.show();
  try {
    window.Form_Load();
  } catch (const std::exception& problem) {  // start-up asked for the setup window again and again
    return tamsel::bench::fail(state, problem.what());
  }
  if (!serial.isOpen()) return tamsel::bench::fail(state, "the port did not open");
  if (state.range(1)) tamsel::test::control<QCheckBox>(window, "GraphDisplay")->click();
  measureOnTheLine(state, serial, rate);
}
BENCHMARK(BM_WindowOnTheLine)
    ->ArgsProduct({{1, 50, 200, 1000}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_HeadlessOnTheLine(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  const int rate = int(state.range(0));
  tamsel::bench::BoardLine line(rate);
  if (!line.error().empty()) return tamsel::bench::fail(state, line.error());
  tamsel::SystemClock clock;
  tamsel::QtSerialControl serial(line.folder());
  std::ostream nowhere(nullptr);
  tamsel::Outputs outputs(line.folder(), clock, tamsel::RunMode::Headless, nowhere);
  tamsel::HeadlessLogger logger(line.folder(), clock, serial, outputs);
  logger.start();
  if (!serial.isOpen()) return tamsel::bench::fail(state, "the port did not open");
  measureOnTheLine(state, serial, rate);
}
BENCHMARK(BM_HeadlessOnTheLine)
    ->Arg(1)
    ->Arg(200)
    ->Arg(1000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_PublisherTakesAReading(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  tamsel::SystemClock clock;  // each reading is stamped with the time it came

  tamsel::MqttPublisher publisher(unreachableBroker(), {"bench", "0"}, clock);
  tamsel::Reading reading;
  reading.volts = "12.50";
  reading.amps = "3.20";
  reading.watts = "40.0";
  reading.rpm = "300.0";
  publisher.setWindUnits("mph");
  for (auto _ : state) publisher.readingAccepted(reading, 12.3);
}
BENCHMARK(BM_PublisherTakesAReading);

double heapMiB() {
  const struct mallinfo2 heap = ::mallinfo2();
  return double(heap.uordblks + heap.hblkhd) / (1024 * 1024);
}

double residentMiB() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

void BM_LivePlotMemory(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  WindowOnAFakePort port(false);
  tamsel::test::control<QCheckBox>(*port.window, "GraphDisplay")->click();
  auto feed = [&](long frames) {
    for (long n = 0; n < frames; ++n) {
      port.deliverNext();
      if (port.next % 1000 == 0) port.window->repaint();
    }
  };
  constexpr long kFirstDrop = tamsel::LivePowerPlot::kMaxMarks * 11 / 10 + 1;
  constexpr long kHalfAnHourAt200 = 30 * 60 * 200;
  for (auto _ : state) {
    feed(kFirstDrop);
    const double heapAtCap = heapMiB();
    state.counters["heap_at_cap_MiB"] = heapAtCap;
    state.counters["rss_at_cap_MiB"] = residentMiB();
    feed(kHalfAnHourAt200);
    state.counters["heap_end_MiB"] = heapMiB();
    state.counters["rss_end_MiB"] = residentMiB();
    state.counters["growth_MiB"] = heapMiB() - heapAtCap;
  }
}
// Memory does not depend on where the window is drawn: measured offscreen only.
const bool livePlotMemoryRegistered = [] {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::string_view(platform) == "offscreen") {
    benchmark::RegisterBenchmark("BM_LivePlotMemory", BM_LivePlotMemory)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
  }
  return true;
}();

}  // namespace
