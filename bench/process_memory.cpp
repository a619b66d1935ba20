#include "process_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tamsel::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// The value of `key` ("Anonymous:") in /proc/self/smaps_rollup, in MiB; 0 when absent.
double rollupMiB(const std::string& key) {
  std::ifstream rollup("/proc/self/smaps_rollup");
  std::string line;
  while (std::getline(rollup, line)) {
    if (line.rfind(key, 0) != 0) continue;
    double kib = 0;
    std::istringstream(line.substr(key.size())) >> kib;
    return kib / 1024.0;
  }
  return 0;
}

}  // namespace

MemorySample sampleMemory() {
  MemorySample sample;
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  sample.residentMiB = double(resident) * double(::sysconf(_SC_PAGESIZE)) / kMiB;
  sample.anonymousMiB = rollupMiB("Anonymous:");
  const struct mallinfo2 heap = ::mallinfo2();
  sample.heapMiB = double(heap.uordblks + heap.hblkhd) / kMiB;
  sample.arenaMiB = double(heap.arena + heap.hblkhd) / kMiB;
  return sample;
}

std::string curveLine(double seconds, const std::string& what, const MemorySample& sample) {
  char line[200];
  std::snprintf(line, sizeof line,
                "%6.0f s  %-22s rss %7.2f MiB  anon %7.2f MiB  heap %7.2f MiB  arena %7.2f MiB",
                seconds, what.c_str(), sample.residentMiB, sample.anonymousMiB, sample.heapMiB,
                sample.arenaMiB);
  return line;
}

}  // namespace tamsel::bench
