#include "generated_days.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "logging/day_file_name.h"
#include "logging/record_line.h"
#include "platform/number_format.h"
#include "platform/text_file.h"

namespace tamsel::bench {

namespace {

CalendarDate dateOf(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd(day);
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// A day of 1,440 records with wind, power and volts that move through the day,
// so every bin and battery figure has work.
std::string dayText(int dayNumber) {
  std::string text;
  LocalDateTime at;
  double wattHours = 0;
  for (int minute = 0; minute < 1440; ++minute) {
    const double phase = (minute + dayNumber * 37) % 1440 / 1440.0 * 2 * 3.14159265;
    const double wind = std::round(7 + 6 * std::sin(phase) + (minute * 7 % 5) - 2);
    const double watts = std::round(std::max(0.0, 0.6 * wind * wind * wind));
    AveragedValues values;
    values.volts = plainNumberText(roundDecimal(12.5 + 1.5 * std::sin(phase * 3), 2));
    values.amps = plainNumberText(roundDecimal(watts / 13, 1));
    values.watts = plainNumberText(watts);
    values.rpm = plainNumberText(std::round(wind * 30));
    values.windSpeed = std::max(0.0, wind);
    wattHours += watts / 60;
    at.hour = minute / 60;
    at.minute = minute % 60;
    text += recordLine(at, values, wattHours);
    text += kLineEnd;
  }
  return text;
}

}  // namespace

CalendarDate writeGeneratedDays(const std::string& folder, CalendarDate first, int days) {
  std::filesystem::create_directories(folder);
  const std::chrono::sys_days start = std::chrono::year{first.year} / first.month / first.day;
  for (int d = 0; d < days; ++d) {
    const std::string path = folder + "/" + dayFileName(dateOf(start + std::chrono::days(d)));
    if (!fileExists(path)) (void)replaceFile(path, dayText(d));
  }
  return dateOf(start + std::chrono::days(days - 1));
}

}  // namespace tamsel::bench
