#pragma once
// The performance analysis over the day files of a logs folder. Each day's
// sums are kept with the file's size and modification time, so analysing an
// unchanged range again reads no file: only days that changed are read.
#include <map>
#include <string>

#include "analysis/day_sums.h"
#include "analysis/performance.h"
#include "platform/file_stamp.h"

namespace tamsel {

class DayFileAnalysis {
 public:
  // Every record of the day files from `range.from` to `range.to` in
  // `logsFolder` (P_2010_05_23.txt, ...); a day without a file has no
  // records, a file that cannot be read is named in the report's unreadDays.
  // Refused as analyseRecords refuses.
  Result<PerformanceReport> analyse(const AnalysisSetup& setup, const std::string& logsFolder,
                                    const DateRange& range);

  // How many day files were read (for tests and benchmarks).
  int reads() const { return reads_; }

 private:
  struct Entry {
    FileStamp stamp;
    SumRules rules;
    DaySums sums;
  };
  // The day's sums, or the reason its file cannot be read; nullptr for a
  // day without a file.
  const DaySums* daySums(const std::string& path, const SumRules& rules, std::string& unread);

  std::map<std::string, Entry> entries;
  int reads_ = 0;
};

}  // namespace tamsel
