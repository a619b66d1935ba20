#include "web/energy_cache.h"

#include <sys/stat.h>

#include "history/day_file.h"
#include "history/history_export.h"
#include "platform/text_file.h"

namespace tamsel {

std::optional<double> EnergyCache::dayEnergy(const std::string& path, double logDelay) {
  struct stat info = {};
  if (::stat(path.c_str(), &info) != 0) {
    entries.erase(path);
    return std::nullopt;
  }
  const std::int64_t size = info.st_size;
  const std::int64_t modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  if (auto found = entries.find(path); found != entries.end()) {
    const Entry& e = found->second;
    if (e.size == size && e.modifiedNs == modified && e.logDelay == logDelay) return e.wattHours;
  }
  ++reads_;
  const Result<std::string> text = readDayText(path);
  if (!text) {
    entries.erase(path);
    return std::nullopt;
  }
  const double wattHours = dayEnergyWh(*text, logDelay);
  entries[path] = {size, modified, logDelay, wattHours};
  return wattHours;
}

}  // namespace tamsel
