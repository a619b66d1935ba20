// The cost of one frame through the main window's receive path, with the
// window on an offscreen screen and its paints run, as a user's window would.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

#include "app/orvane_logger.h"
#include "config/calibration.h"
#include "config/program_config.h"
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
  tamsel::OrvaneLogger window({folder.path().toStdString(), clock, dialogs, serial, unused});
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
BENCHMARK(BM_FrameThroughTheWindow)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
