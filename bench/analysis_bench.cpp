// The turbine and battery analysis over a year of one-minute records: from
// files it has not seen (every day read and summed) and again while no day
// file changed (only each file's size and time looked at). Ten years from
// cold only when asked for (TAMSEL_BENCH_LONG=1).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "analysis/day_file_analysis.h"
#include "generated_days.h"

namespace {

using namespace tamsel;

constexpr CalendarDate kFirstDay{2015, 1, 1};

// `days` day files from kFirstDay in a folder of their own under the
// temporary folder, written once and kept for the next run.
struct Logs {
  explicit Logs(int days)
      : folder(std::filesystem::temp_directory_path().string() + "/tamsel_analysis_bench_" +
               std::to_string(days)),
        range{kFirstDay, bench::writeGeneratedDays(folder, kFirstDay, days)} {}
  std::string folder;
  DateRange range;
};

AnalysisSetup setup() {
  AnalysisSetup s;
  s.LogDelay = "60";
  s.WSUnits = "mph";
  s.SV = "12";
  s.turbine.RotorDiameter = "3.2";
  s.turbine.RatedPower = "1000";
  s.turbine.Curve = "3:20 4:60 5:120 6:200 7:320 8:470 9:650 10:850 11:1000";
  return s;
}

void analyseCold(benchmark::State& state, const Logs& logs) {
  long records = 0;
  for (auto _ : state) {
    DayFileAnalysis analysis;
    const Result<PerformanceReport> report = analysis.analyse(setup(), logs.folder, logs.range);
    if (!report) state.SkipWithError(report.error().c_str());
    records = report ? report->records : 0;
    benchmark::DoNotOptimize(records);
  }
  state.counters["records"] = static_cast<double>(records);
}

void BM_AnalyseYearCold(benchmark::State& state) {
  static const Logs logs(365);
  analyseCold(state, logs);
}
BENCHMARK(BM_AnalyseYearCold)->Unit(benchmark::kMillisecond);

void BM_AnalyseYearUnchanged(benchmark::State& state) {
  static const Logs logs(365);
  DayFileAnalysis analysis;
  (void)analysis.analyse(setup(), logs.folder, logs.range);
  for (auto _ : state) {
    benchmark::DoNotOptimize(analysis.analyse(setup(), logs.folder, logs.range));
  }
  state.counters["files_read"] = analysis.reads();
}
BENCHMARK(BM_AnalyseYearUnchanged)->Unit(benchmark::kMillisecond);

void BM_AnalyseTenYearsCold(benchmark::State& state) {
  static const Logs logs(3652);
  analyseCold(state, logs);
}
// Writing ten years of day files takes a while: only when asked for.
const bool tenYearsRegistered = [] {
  const char* asked = std::getenv("TAMSEL_BENCH_LONG");
  if (!asked || std::string_view(asked) != "1") return false;
  benchmark::RegisterBenchmark("BM_AnalyseTenYearsCold", BM_AnalyseTenYearsCold)
      ->Iterations(1)
      ->Unit(benchmark::kSecond);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
