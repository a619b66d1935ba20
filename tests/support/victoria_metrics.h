#pragma once
// A real VictoriaMetrics (Debian's) on a free loopback port with a storage
// folder of the test's own, and the few requests a test reads it back with.
#include <map>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace tamsel::test {

// One series as /api/v1/export gives it: the samples in time order.
struct Series {
  std::vector<long long> timestampsMs;
  std::vector<double> values;
};

class VictoriaMetrics {
 public:
  // `username` and `password` switch on basic authentication. One sample per
  // timestamp is kept (-dedup.minScrapeInterval=1ms): a batch sent again
  // after its answer was lost overwrites, as InfluxDB does.
  explicit VictoriaMetrics(std::string username = {}, std::string password = {});

  // Starts it (again, on the same port and storage) and waits until it answers.
  bool start();
  ChildProcess& process() { return server_; }
  int port() const { return port_; }
  std::string writeUrl() const;

  // GET `target`; the body, or "" without a 200 answer.
  std::string get(const std::string& target) const;
  // Every tamsel_* series after a flush, by metric name ("tamsel_volts").
  std::map<std::string, Series> exported() const;

 private:
  TempFolder storage_;
  int port_ = 0;
  std::string username_, password_;
  ChildProcess server_;
};

}  // namespace tamsel::test
