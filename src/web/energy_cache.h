#pragma once
// Each day file's energy, worked out once: a day that is over does not
// change, so it is read again only when its size or modification time (or
// the logging interval the figure depends on) changes.
#include <map>
#include <optional>
#include <string>

#include "platform/file_stamp.h"

namespace tamsel {

class EnergyCache {
 public:
  // The day's watt-hours as the log history computes them for the whole
  // day; nullopt when the file cannot be read.
  std::optional<double> dayEnergy(const std::string& path, double logDelay);
  // The same up to and including the record stamped `lastMinute`; read
  // afresh unless that is the whole day (a comparison's last day, asked for
  // at a new minute each time).
  std::optional<double> dayEnergyUntil(const std::string& path, double logDelay, int lastMinute);

  // How many times a file was read (for tests and benchmarks).
  int reads() const { return reads_; }

 private:
  struct Entry {
    FileStamp stamp;
    double logDelay = 0;
    double wattHours = 0;
  };
  std::map<std::string, Entry> entries;
  int reads_ = 0;
};

}  // namespace tamsel
