// history_gen: fills a program folder's logs with a few days of plausible
// records, so the log history has something real to show on a first run.
// The records come from the board simulator's wind model, averaged and
// written by the logger's own code, one per logging interval.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "logging/averaging.h"
#include "logging/day_file_name.h"
#include "logging/interval_sums.h"
#include "logging/record_line.h"
#include "platform/clock.h"
#include "platform/number_format.h"
#include "platform/text_file.h"
#include "wind_model.h"

namespace {

using namespace std::chrono;

constexpr std::string_view kUsage =
    "usage: history_gen --folder DIR [--days N] [--delay SECONDS] [--seed N]\n"
    "Writes DIR/logs/P_<date>.txt for the N days before today and today up to now.\n";

tamsel::LocalDateTime dateOf(sys_days day) {
  const year_month_day ymd(day);
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// One day's records from midnight up to `untilSecond`, with a running
// watt-hours total that starts again at 0, as the logger's does.
std::string dayRecords(sim::WindModel& model, tamsel::LocalDateTime date, int untilSecond,
                       int delay) {
  std::string text;
  tamsel::IntervalSums sums;
  tamsel::LastValues last;
  double wattHours = 0;
  for (int second = 1; second <= untilSecond; ++second) {
    const sim::WindState& s = model.step(1);
    // What the decoder would have shown for a frame a second.
    const double watts = tamsel::roundDecimal(s.watts, 1);
    // The wind model's values are small: its sums never overflow.
    (void)sums.add(tamsel::roundDecimal(s.volts, 2), tamsel::roundDecimal(s.amps, 2), watts,
                   tamsel::roundDecimal(s.rpm, 1), tamsel::roundDecimal(s.wind, 1));
    wattHours += watts / 3600;
    if (second % delay != 0) continue;
    const tamsel::TickAverage average = tamsel::averageOrRepeat(sums, last);
    sums.clear();
    date.hour = second / 3600 % 24;
    date.minute = second / 60 % 60;
    date.second = second % 60;
    text += tamsel::recordLine(date, average.values, wattHours);
    text += tamsel::kLineEnd;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  int days = 3;
  int delay = 10;
  unsigned long seed = 2010;
  bool understood = argc % 2 == 1;  // options come in pairs
  for (int i = 1; understood && i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--folder") {
      folder = value;
    } else if (option == "--days") {
      days = std::atoi(value);
    } else if (option == "--delay") {
      delay = std::atoi(value);
    } else if (option == "--seed") {
      seed = std::strtoul(value, nullptr, 10);
    } else {
      understood = false;
    }
  }
  if (!understood || folder.empty() || days < 0 || delay < 1) {
    std::cerr << kUsage;
    return 2;
  }
  const tamsel::LocalDateTime now = tamsel::SystemClock().now();
  const sys_days today = sys_days(year{now.year} / now.month / now.day);
  const std::string logs = folder + "/logs";
  std::error_code ignored;  // a folder that cannot be made shows in the first write
  std::filesystem::create_directories(logs, ignored);
  sim::WindModel model(seed);
  for (int back = days; back >= 0; --back) {
    const tamsel::LocalDateTime date = dateOf(today - std::chrono::days(back));
    const int until = back == 0 ? now.hour * 3600 + now.minute * 60 + now.second : 86399;
    const std::string path = logs + "/" + tamsel::dayFileName(date);
    const tamsel::Status written = tamsel::replaceFile(path, dayRecords(model, date, until, delay));
    if (!written) {
      std::cerr << "history_gen: " << path << ": " << written.error << "\n";
      return 1;
    }
    std::cout << path << "\n";
  }
  return 0;
}
