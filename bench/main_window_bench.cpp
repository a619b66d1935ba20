// The cost of one frame through the main window's receive path, with the
// window on an offscreen screen and its paints run, as a user's window would;
// with MQTT publishing off (argument 0) and on (1). The publisher's own cost
// per frame is measured alone as well: it is far below the window's noise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

#include "app/orvane_logger.h"
#include "config/calibration.h"
#include "config/program_config.h"
#include "mqtt/mqtt_publisher.h"
#include "platform/clock.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial.h"

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

void BM_FrameThroughTheWindow(benchmark::State& state) {
  QTemporaryDir folder;
  tamsel::ProgramConfig config = tamsel::setupDefaults();
  config.Port = "3";
  config.DisplayRPM = "1";
  config.DisplayWS = "1";
  config.LogOn = "1";
  write(folder.filePath("prog.cfg"), tamsel::programConfigText(config));
  write(folder.filePath("settings.cfg"), tamsel::calibrationText({"40", "100", "20", "1", "2"}));
  tamsel::test::FakeClock clock;
  tamsel::test::FakeDialogs dialogs;
  tamsel::test::FakeSerial serial;
  serial.availablePorts = {3};
  tamsel::test::FakeSerial unused;
  tamsel::MqttPublisher publisher(unreachableBroker(), {"bench", "0"}, clock);
  tamsel::OrvaneLogger window({folder.path().toStdString(), clock, dialogs, serial, unused,
                               state.range(0) ? &publisher : nullptr});
  window.show();
  window.Form_Load();
  QApplication::processEvents();
  const std::vector<std::string> texts = frames();
  size_t next = 0;
  for (auto _ : state) {
    serial.deliver(texts[next++ % texts.size()]);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameThroughTheWindow)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->UseRealTime();

void BM_PublisherTakesAReading(benchmark::State& state) {
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

}  // namespace
