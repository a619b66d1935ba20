#include "logging/day_file_name.h"

#include <algorithm>
#include <filesystem>

namespace tamsel {
namespace {

constexpr std::string_view kPrefix = "P_";
constexpr std::string_view kExtension = ".txt";

}  // namespace

std::string dayFileName(const CalendarDate& date) {
  return std::string(kPrefix) + dateStamp(date) + std::string(kExtension);
}

bool isDayFileName(std::string_view name) {
  constexpr std::string_view kForm = "####_##_##";  // # a digit
  if (name.size() != kPrefix.size() + kForm.size() + kExtension.size() ||
      !name.starts_with(kPrefix) || !name.ends_with(kExtension))
    return false;
  const std::string_view stamp = name.substr(kPrefix.size(), kForm.size());
  for (size_t i = 0; i < kForm.size(); ++i) {
    const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
    if (kForm[i] == '#' ? !digit : stamp[i] != kForm[i]) return false;
  }
  return true;
}

std::optional<CalendarDate> dateOfDayFileName(std::string_view name) {
  if (!isDayFileName(name)) return std::nullopt;
  auto number = [&](size_t at, size_t length) {
    int value = 0;
    for (const char c : name.substr(kPrefix.size() + at, length)) value = value * 10 + (c - '0');
    return value;
  };
  const CalendarDate date{number(0, 4), number(5, 2), number(8, 2)};
  if (!isRealDate(date)) return std::nullopt;
  return date;
}

std::vector<CalendarDate> dayFileDates(const std::string& logsFolder) {
  std::vector<CalendarDate> dates;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(logsFolder, error)) {
    if (!entry.is_regular_file(error)) continue;
    if (auto date = dateOfDayFileName(entry.path().filename().string())) dates.push_back(*date);
  }
  std::sort(dates.begin(), dates.end());
  return dates;
}

}  // namespace tamsel
