// What the alarms cost the receive path: every frame adds to the present
// second's sums, and each second is closed and every alarm judged. The goal
// is under 1 us a frame, even at the slowest board (one frame, one tick) with
// every alarm set and the longest hold time.
#include <benchmark/benchmark.h>

#include "alarms/alarm_monitor.h"

namespace {

tamsel::AlarmSettings everyAlarm(int holdSeconds) {
  tamsel::AlarmConfig config;
  config.LowVolts = "11.5";
  config.HighVolts = "14.8";
  config.HighAmps = "30";
  config.HighRPM = "500";
  config.HighWind = "20";
  config.NoDataMinutes = "10";
  config.HoldSeconds = std::to_string(holdSeconds);
  return tamsel::alarmSettings(config).settings;
}

// range(0): frames a second; range(1): the hold time.
void BM_AlarmsPerFrame(benchmark::State& state) {
  const int framesPerTick = static_cast<int>(state.range(0));
  tamsel::AlarmMonitor monitor;
  (void)monitor.configure(everyAlarm(static_cast<int>(state.range(1))), {});
  monitor.portOpened({});
  long long second = 0;
  size_t events = 0;
  int frame = 0;
  for (auto _ : state) {
    // Levels wander across the limits, so alarms are raised and cleared.
    const double swing = (second / 600) % 2 ? 3 : 0;
    monitor.addReading(12.5 - swing, 5 + 10 * swing, 300 + 100 * swing, 8 + 5 * swing);
    if (++frame == framesPerTick) {
      frame = 0;
      events += monitor.tick({++second, {}}).size();
    }
  }
  benchmark::DoNotOptimize(events);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AlarmsPerFrame)->Args({1, 30})->Args({1, 3600})->Args({130, 30});

}  // namespace

BENCHMARK_MAIN();
