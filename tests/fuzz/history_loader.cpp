// A day file as the history window loads it: never more records than the
// store holds, every time inside the range asked for.
#include "fuzz_check.h"
#include "history/history_store.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static HistoryStore store;  // large: one for the whole run, as the window keeps one
  if (size < 2) return 0;
  const TimeRange range{data[0] * 400, data[1] * 400};
  const LoadOutcome outcome = loadHistory(fuzz::bytes(data + 2, size - 2), range, store);
  fuzz::check(outcome.recordCount >= 0 && outcome.recordCount <= kMostRecords + 1, "bounded");
  if (!outcome.tooMany) {
    for (int i = 1; i <= outcome.recordCount; ++i)
      fuzz::check(store.time[i] >= range.start && store.time[i] <= range.end, "inside the range");
  }
  return 0;
}
