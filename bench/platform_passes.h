#pragma once
// What the main window's benchmarks share with their main(): the platform
// they run on, and a failure that the run's exit status reports.
#include <benchmark/benchmark.h>

#include <string>

namespace tamsel::bench {

// Qt's name of the platform this pass runs on ("offscreen", "xcb").
std::string platformName();
// Skips the benchmark with `why` and makes the pass end with status 1.
void fail(benchmark::State& state, const std::string& why);

}  // namespace tamsel::bench
