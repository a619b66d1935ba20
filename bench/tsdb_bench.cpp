// Years of history into a real VictoriaMetrics: ten years of one-minute
// records (3,650 day files, 5.3 million records) sent by the sender as a
// logger with History 1 and no state file does, timed until the database has
// taken the last batch. Only when asked for (TAMSEL_BENCH_LONG=1): the day
// files alone take a while to write the first time.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "logging/day_file_name.h"
#include "logging/record_line.h"
#include "platform/clock.h"
#include "platform/number_format.h"
#include "platform/text_file.h"
#include "support/victoria_metrics.h"
#include "tsdb/tsdb_sender.h"

namespace {

using namespace tamsel;

constexpr int kDays = 3650;

CalendarDate dateOf(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd(day);
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// 1,440 records as the logger writes them, values moving through the day.
std::string dayText(int dayNumber) {
  std::string text;
  LocalDateTime at;
  double wattHours = 0;
  for (int minute = 0; minute < 1440; ++minute) {
    const double phase = (minute + dayNumber * 37) % 1440 / 1440.0 * 2 * 3.14159265;
    const double wind = std::max(0.0, std::round(7 + 6 * std::sin(phase)));
    const double watts = std::round(0.6 * wind * wind * wind);
    AveragedValues values;
    values.volts = plainNumberText(roundDecimal(12.5 + 1.5 * std::sin(phase * 3), 2));
    values.amps = plainNumberText(roundDecimal(watts / 13, 1));
    values.watts = plainNumberText(watts);
    values.rpm = plainNumberText(std::round(wind * 30));
    values.windSpeed = wind;
    wattHours += watts / 60;
    at.hour = minute / 60;
    at.minute = minute % 60;
    text += recordLine(at, values, wattHours);
    text += kLineEnd;
  }
  return text;
}

// A program folder whose logs hold ten years ending a month ago, written once
// and kept in the temporary folder for the next run.
std::string programFolder() {
  const std::string folder = std::filesystem::temp_directory_path().string() +
                             "/tamsel_tsdb_bench_" + std::to_string(kDays);
  std::filesystem::create_directories(folder + "/logs");
  const std::chrono::sys_days first = std::chrono::year{2014} / 1 / 1;
  for (int d = 0; d < kDays; ++d) {
    const std::string path = folder + "/logs/" + dayFileName(dateOf(first + std::chrono::days(d)));
    if (!fileExists(path)) (void)replaceFile(path, dayText(d));
  }
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
