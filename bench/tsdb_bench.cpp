// Years of history into a real VictoriaMetrics: ten years of one-minute
// records (3,650 day files, 5.3 million records) sent by the sender as a
// logger with History 1 and no state file does, timed until the database has
// taken the last batch. Only when asked for (TAMSEL_BENCH_LONG=1): the day
// files alone take a while to write the first time.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "generated_days.h"
#include "platform/clock.h"
#include "support/victoria_metrics.h"
#include "tsdb/tsdb_sender.h"

namespace {

using namespace tamsel;

constexpr int kDays = 3650;

// A program folder whose logs hold ten years ending a month ago, written once
// and kept in the temporary folder for the next run.
std::string programFolder() {
  const std::string folder = std::filesystem::temp_directory_path().string() +
                             "/tamsel_tsdb_bench_" + std::to_string(kDays);
  bench::writeGeneratedDays(folder + "/logs", {2014, 1, 1}, kDays);
  return folder;
}

void BM_SendTenYearsOfHistory(benchmark::State& state) {
  static const std::string folder = programFolder();
  SystemClock clock;
  std::uint64_t sent = 0;
  for (auto _ : state) {
    std::filesystem::remove(folder + "/tsdb.state");
    test::VictoriaMetrics database;
    if (!database.start()) return state.SkipWithError("VictoriaMetrics did not start");
    TsdbSettings settings;
    settings.url = database.writeUrl();
    settings.site = "bench";
    settings.history = true;
    TsdbSender sender(settings, folder, clock);
    sender.setLogDelay(60);
    QEventLoop loop;
    QString failure;
    QObject::connect(&sender, &TsdbSender::told, [&](const QString& line) {
      if (line == QString("sent %1 of %1 days").arg(kDays)) loop.quit();
    });
    QObject::connect(&sender, &TsdbSender::failed, [&](const QString& reason) {
      failure = reason;
      loop.quit();
    });
    // Only the sending is timed: not the database's start nor its end.
    QElapsedTimer sending;
    sending.start();
    sender.start();
    loop.exec();
    state.SetIterationTime(static_cast<double>(sending.nsecsElapsed()) / 1e9);
    sent = sender.sentRecords();
    sender.stop();
    if (!failure.isEmpty()) return state.SkipWithError(failure.toStdString().c_str());
  }
  state.counters["records"] = static_cast<double>(sent);
}

const bool tenYearsRegistered = [] {
  const char* asked = std::getenv("TAMSEL_BENCH_LONG");
  if (!asked || std::string_view(asked) != "1") return false;
  benchmark::RegisterBenchmark("BM_SendTenYearsOfHistory", BM_SendTenYearsOfHistory)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kSecond);
  return true;
}();

}  // namespace
