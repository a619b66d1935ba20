// The cost of frames through the main window, and through the logger with
// no window, on the platform this pass runs on (see platform_passes.cpp):
// - as fast as a fake port can deliver them, with MQTT publishing off (0)
//   and on (1): the window's own work per frame. The publisher's cost per
//   frame is measured alone as well: it is far below the window's noise.
// - paced, from the board simulator through the real serial port, at a rate
//   and with the live plot off (0) or on (1): what a user's machine spends,
//   paints and the display's share included.
// - the live plot's memory once its marks are at their cap, and after half
//   an hour of frames more: fed as fast as possible, and (when asked for)
//   in real time from the board for half an hour.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
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
#include "platform/qt/picture_box.h"
#include "platform/serial/qt_serial_control.h"
#include "platform_passes.h"
#include "process_memory.h"
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
                       unreachableBroker(), tamsel::MqttPublisher::Identity{"bench", "0"}, clock),
                   folder.path().toStdString());
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

// The real window on the board simulator's line at a rate, started up.
struct WindowOnTheLine {
  explicit WindowOnTheLine(int rate) : line(rate) {}

  // Why the window is not taking frames; empty when it is.
  std::string start() {
    if (!line.error().empty()) return line.error();
    serial.emplace(line.folder());
    window.emplace(tamsel::OrvaneLogger::Services{line.folder(), clock, dialogs, *serial, unused});
    window->show();
    try {
      window->Form_Load();
    } catch (const std::exception& problem) {
      return problem.what();  // start-up asked for the setup window again and again
    }
    return serial->isOpen() ? std::string() : "the port did not open";
  }

  tamsel::bench::BoardLine line;
  tamsel::SystemClock clock;
  tamsel::test::FakeDialogs dialogs;
  std::optional<tamsel::QtSerialControl> serial;
  tamsel::test::FakeSerial unused;
  std::optional<tamsel::OrvaneLogger> window;
};

void BM_WindowOnTheLine(benchmark::State& state) {
  state.SetLabel(tamsel::bench::platformName());
  const int rate = int(state.range(0));
  WindowOnTheLine on(rate);
  if (const std::string error = on.start(); !error.empty())
    return tamsel::bench::fail(state, error);
  if (state.range(1)) tamsel::test::control<QCheckBox>(*on.window, "GraphDisplay")->click();
  measureOnTheLine(state, *on.serial, rate);
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
    const tamsel::bench::MemorySample atCap = tamsel::bench::sampleMemory();
    state.counters["heap_at_cap_MiB"] = atCap.heapMiB;
    state.counters["rss_at_cap_MiB"] = atCap.residentMiB;
    feed(kHalfAnHourAt200);
    const tamsel::bench::MemorySample atEnd = tamsel::bench::sampleMemory();
    state.counters["heap_end_MiB"] = atEnd.heapMiB;
    state.counters["rss_end_MiB"] = atEnd.residentMiB;
    state.counters["growth_MiB"] = atEnd.heapMiB - atCap.heapMiB;
    // What the heap kept of the repaints at each drop shows here, not above.
    state.counters["rss_growth_MiB"] = atEnd.residentMiB - atCap.residentMiB;
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

// The real window in real time: the board at a rate, the plot on, for half an
// hour (TAMSEL_BENCH_LONG_MINUTES) or until the frames stop. The memory
// curve goes to standard error every 10 s; the counters say what it was when
// the plot first dropped marks at its cap, and how far it strayed after.
void BM_LivePlotMemoryOnTheLine(benchmark::State& state) {
  using tamsel::bench::curveLine;
  using tamsel::bench::MemorySample;
  using tamsel::bench::sampleMemory;
  state.SetLabel(tamsel::bench::platformName());
  const char* minutesText = std::getenv("TAMSEL_BENCH_LONG_MINUTES");
  const int minutes = minutesText ? std::max(1, std::atoi(minutesText)) : 30;
  WindowOnTheLine on(int(state.range(0)));
  if (const std::string error = on.start(); !error.empty())
    return tamsel::bench::fail(state, error);
  tamsel::test::control<QCheckBox>(*on.window, "GraphDisplay")->click();
  const tamsel::DisplayList& plot =
      tamsel::test::control<tamsel::PictureBox>(*on.window, "GraphPlot")->display();
  for (auto _ : state) {
    QEventLoop loop;
    QElapsedTimer running;
    running.start();
    long frames = 0, framesBefore = 0;
    std::size_t linesBefore = plot.lines().size();
    std::optional<MemorySample> atCap;
    double capSeconds = 0, rssStray = 0, anonStray = 0, heapStray = 0;
    std::string stopped;
    auto report = [&](const std::string& what, const MemorySample& sample) {
      std::cerr << curveLine(double(running.elapsed()) / 1000, what, sample) << std::endl;
    };
    QObject::connect(&*on.serial, &tamsel::SerialControl::received, &loop,
                     [&](const QByteArray& text) {
                       frames += text.count(']');
                       const std::size_t lines = plot.lines().size();
                       if (!atCap && lines < linesBefore) {
                         atCap = sampleMemory();
                         capSeconds = double(running.elapsed()) / 1000;
                         report("first drop", *atCap);
                       }
                       linesBefore = lines;
                     });
    QTimer every10s;
    QObject::connect(&every10s, &QTimer::timeout, &loop, [&] {
      const MemorySample now = sampleMemory();
      report(std::to_string(frames) + " frames", now);
      if (atCap) {
        rssStray = std::max(rssStray, std::abs(now.residentMiB - atCap->residentMiB));
        anonStray = std::max(anonStray, std::abs(now.anonymousMiB - atCap->anonymousMiB));
        heapStray = std::max(heapStray, std::abs(now.heapMiB - atCap->heapMiB));
      }
      if (running.elapsed() >= minutes * 60'000L) return loop.quit();
      if (frames == framesBefore) {
        stopped = "frames stopped coming after " + std::to_string(frames);
        return loop.quit();
      }
      framesBefore = frames;
    });
    every10s.start(10'000);
    loop.exec();
    if (!stopped.empty()) return tamsel::bench::fail(state, stopped);
    const MemorySample atEnd = sampleMemory();
    state.counters["frames"] = double(frames);
    state.counters["rss_end_MiB"] = atEnd.residentMiB;
    if (!atCap) return tamsel::bench::fail(state, "the plot never reached its cap");
    state.counters["cap_s"] = capSeconds;
    state.counters["rss_at_cap_MiB"] = atCap->residentMiB;
    state.counters["rss_stray_MiB"] = rssStray;
    state.counters["anon_stray_MiB"] = anonStray;
    state.counters["heap_stray_MiB"] = heapStray;
  }
}
// Only when asked for (TAMSEL_BENCH_LONG=1): half an hour is no part of a
// normal run. TAMSEL_BENCH_LONG_RATE picks another rate than 200 frames/s.
const bool livePlotOnTheLineRegistered = [] {
  const char* asked = std::getenv("TAMSEL_BENCH_LONG");
  if (!asked || std::string_view(asked) != "1") return false;
  const char* rate = std::getenv("TAMSEL_BENCH_LONG_RATE");
  benchmark::RegisterBenchmark("BM_LivePlotMemoryOnTheLine", BM_LivePlotMemoryOnTheLine)
      ->Arg(rate ? std::max(1, std::atoi(rate)) : 200)
      ->Iterations(1)
      ->Unit(benchmark::kSecond);
  return true;
}();

}  // namespace
