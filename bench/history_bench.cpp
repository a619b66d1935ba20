// The log history loads a whole day at every DISPLAY, file click and zoom,
// draws it at once, and follows the mouse: each must feel immediate on the
// largest day a load holds.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <string>

#include "history/cursor_zoom.h"
#include "history/history_store.h"
#include "history/time_chart.h"
#include "platform/calendar.h"
#include "platform/qt/picture_box.h"
#include "platform/text_file.h"

namespace {

using namespace tamsel;

constexpr TimeRange kWholeDay{0, 23 * 3600 + 59 * 60};

// 9,999 records, about 900 KB, with values that move so every trace has a shape.
std::string fullLoadText() {
  std::string text;
  for (int i = 1; i <= kMostRecords; ++i) {
    const int seconds = i * 8;
    const int watts = (i * 37) % 900;
    text += "<T>" + hourMinute(seconds / 60) + "</T><V>1" + std::to_string(2 + i % 2) + "." +
            std::to_string(10 + i % 90) + "</V><I>" + std::to_string(watts / 13) + "." +
            std::to_string(i % 10) + "</I><W>" + std::to_string(watts) + ".0</W><R>" +
            std::to_string(120 + (i * 7) % 380) + "</R><S>" + std::to_string(i % 30) +
            "</S><M></M>   " + std::to_string(i) + ".4Wh\r\n";
  }
  return text;
}

HistorySettings settings() {
  HistorySettings s;
  s.logDelay = 8;
  s.scaleVolts = 17.5;
  s.MA = 20;
  s.MR = 400;
  s.MP = 1000;
  s.WSUnits = "mph";
  return s;
}

struct LoadedDay {
  LoadedDay() {
    const std::string text = fullLoadText();
    count = loadHistory(text, kWholeDay, *store).recordCount;
  }
  std::unique_ptr<HistoryStore> store = std::make_unique<HistoryStore>();
  int count = 0;
};

ChartView allShown(int count) {
  ChartView view{1, static_cast<double>(count)};
  view.shown = {true, true, true, true, true};
  return view;
}

void BM_LoadFullDayFromFile(benchmark::State& state) {
  const std::string text = fullLoadText();
  const std::string path = "/tmp/tamsel_history_bench.txt";
  if (!replaceFile(path, text)) state.SkipWithError("cannot write the day file");
  auto store = std::make_unique<HistoryStore>();
  for (auto _ : state) {
    const Result<std::string> read = readWholeFile(path);
    benchmark::DoNotOptimize(loadHistory(*read, kWholeDay, *store));
  }
  std::remove(path.c_str());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_BuildTimeChart(benchmark::State& state) {
  LoadedDay day;
  DisplayList plot;
  for (auto _ : state)
    benchmark::DoNotOptimize(drawTimeChart(*day.store, allShown(day.count), settings(), plot));
  state.counters["lines"] = static_cast<double>(plot.lines().size());
}

void BM_PaintTimeChart1000x400(benchmark::State& state) {
  LoadedDay day;
  DisplayList plot;
  (void)drawTimeChart(*day.store, allShown(day.count), settings(), plot);
  QImage image(1000, 400, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    paintDisplayList(painter, plot, image.size());
  }
}

void BM_CursorReadout(benchmark::State& state) {
  LoadedDay day;
  const int count = static_cast<int>(state.range(0));
  double x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(readoutAt(*day.store, count, 1, x, "mph"));
    x = x + 7.3 > count - 1 ? 0 : x + 7.3;
  }
}

BENCHMARK(BM_LoadFullDayFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTimeChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintTimeChart1000x400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CursorReadout)->Arg(100)->Arg(kMostRecords);

}  // namespace
