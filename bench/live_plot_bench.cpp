// The live power plot: adding a mark costs the same however many the plot
// holds, and repainting a full plot (a resize, an uncover) stays within a frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "platform/qt/picture_box.h"
#include "telemetry/live_power_plot.h"

namespace {

void fill(tamsel::DisplayList& plot, tamsel::LivePowerPlot& live, size_t marks) {
  live.switchOn(plot, "400", "1000");
  for (size_t i = 0; i < marks; ++i)
    live.addReading(plot, double(i * 7919 % 420), double(i * 104729 % 1050), "1000");
}

// Adding to a plot that holds state.range(0) marks.
void BM_AddMark(benchmark::State& state) {
  tamsel::DisplayList plot;
  tamsel::LivePowerPlot live;
  fill(plot, live, static_cast<size_t>(state.range(0)));
  size_t i = 0;
  for (auto _ : state) {
    live.addReading(plot, double(i % 420), double(i % 1000), "1000");
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddMark)->Arg(0)->Arg(tamsel::LivePowerPlot::kMaxMarks);

void BM_RepaintFullPlot(benchmark::State& state) {
  tamsel::DisplayList plot;
  tamsel::LivePowerPlot live;
  fill(plot, live, tamsel::LivePowerPlot::kMaxMarks);
  QImage image(385, 289, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    tamsel::paintDisplayList(painter, plot, image.size());
  }
}
BENCHMARK(BM_RepaintFullPlot)->Unit(benchmark::kMillisecond);

}  // namespace
