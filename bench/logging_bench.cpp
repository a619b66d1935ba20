// The start-up recount reads a whole day's log before the port opens, and the
// status page is refilled every logging tick: both must stay quick on a full
// day's file and a large template.
#include <benchmark/benchmark.h>

#include <string>

#include "logging/energy_recount.h"
#include "logging/html_page.h"

namespace {

// A full day at one record every 10 seconds, with varied values.
std::string fullDayLog() {
  std::string log;
  for (int i = 0; i < 8640; ++i) {
    const int watts = (i * 37) % 900;
    log += "<T>" + std::to_string(10 + i / 3600 % 14) + ":" + std::to_string(10 + i % 50) +
           "</T><V>12.53</V><I>3.2</I><W>" + std::to_string(watts) + "." + std::to_string(i % 10) +
           "</W><R>350</R><S>12</S><M></M>   " + std::to_string(i) + ".4Wh\r\n";
  }
  return log;
}

void BM_RecountFullDay(benchmark::State& state) {
  const std::string log = fullDayLog();
  for (auto _ : state) benchmark::DoNotOptimize(tamsel::recountWattHours(log, 10));
  state.SetItemsProcessed(state.iterations() * 8640);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(log.size()));
}
BENCHMARK(BM_RecountFullDay)->Unit(benchmark::kMillisecond);

void BM_FillLargeTemplate(benchmark::State& state) {
  std::string page;
  while (page.size() < 4'000'000)
    page += "<tr><td><VV></td><td><WW></td><td>static text</td></tr>\n";
  const tamsel::AveragedValues values{"12.53", "3.2", "41", "350", 12};
  for (auto _ : state) {
    benchmark::DoNotOptimize(tamsel::fillTemplate(page, values, 123.4, {2010, 5, 23, 14, 5, 33}));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_FillLargeTemplate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
