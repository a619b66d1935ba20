#include "web/energy_cache.h"

#include "history/day_file.h"
#include "history/history_export.h"
#include "platform/file_stamp.h"

namespace tamsel {

std::optional<double> EnergyCache::dayEnergy(const std::string& path, double logDelay) {
  const std::optional<FileStamp> stamp = fileStamp(path);
  if (!stamp) {
    entries.erase(path);
    return std::nullopt;
  }
  if (auto found = entries.find(path); found != entries.end()) {
    const Entry& e = found->second;
    if (e.stamp == *stamp && e.logDelay == logDelay) return e.wattHours;
  }
  ++reads_;
  const Result<std::string> text = readDayText(path);
  if (!text) {
    entries.erase(path);
    return std::nullopt;
  }
  const double wattHours = dayEnergyWh(*text, logDelay);
  entries[path] = {*stamp, logDelay, wattHours};
  return wattHours;
}

std::optional<double> EnergyCache::dayEnergyUntil(const std::string& path, double logDelay,
                                                  int lastMinute) {
  if (lastMinute >= 23 * 60 + 59) return dayEnergy(path, logDelay);
  ++reads_;
  const Result<std::string> text = readDayText(path);
  if (!text) return std::nullopt;
  return dayEnergyWh(*text, logDelay, lastMinute * 60);
}

}  // namespace tamsel
