#include "e2e/record_check.h"

#include <cmath>
#include <regex>

namespace tamsel::e2e {
namespace {

// Half away from zero on the decimal text, as the logger's masks round. The
// sent log gives four decimals, so the values are exact in units of 1e-4.
double roundTo(double value, int decimals) {
  const long long units = std::llround(value * 10000);
  long long step = 1;
  for (int k = decimals; k < 4; ++k) step *= 10;
  const long long half = step / 2;
  const long long rounded = (units >= 0 ? (units + half) / step : -((-units + half) / step)) * step;
  return rounded / 10000.0;
}

// A frame as the logger adds it to its sums: volts and amps as shown, watts
// from those.
struct Shown {
  double volts, amps, watts;
};

class RunPlacer {
 public:
  RunPlacer(const std::vector<RecordValues>& records,
            const std::vector<ProgramRun::SentFrame>& frames, const RunRules& rules)
      : records_(records), rules_(rules) {
    for (const auto& f : frames) {
      const double v = roundTo(f.volts, 2), a = roundTo(f.amps, 2);
      shown_.push_back({v, a, roundTo(v * a, 1)});
    }
  }

  // Tries every place for record `k` from frame `from` on, and the records
  // after it behind each; remembers how far any attempt got.
  bool place(size_t k, size_t from) {
    placed_ = std::max(placed_, k);
    if (k == records_.size()) return true;
    const bool first = k == 0;
    const size_t lastStart = first ? shown_.size() : from + rules_.mostSkipped;
    const size_t shortest = first ? 1 : rules_.shortestRun;
    for (size_t start = from; start <= lastStart && start < shown_.size(); ++start) {
      for (size_t n = shortest; n <= rules_.longestRun && start + n <= shown_.size(); ++n) {
        if (averages(records_[k], start, n) && place(k + 1, start + n)) return true;
      }
    }
    return false;
  }

  size_t placed() const { return placed_; }

 private:
  bool averages(const RecordValues& record, size_t start, size_t n) const {
    double volts = 0, amps = 0, watts = 0;
    for (size_t k = start; k < start + n; ++k) {
      volts += shown_[k].volts;
      amps += shown_[k].amps;
      watts += shown_[k].watts;
    }
    return std::abs(volts / n - record.volts) < 0.0051 &&
           std::abs(amps / n - record.amps) < 0.051 && std::abs(watts / n - record.watts) < 1.01;
  }

  const std::vector<RecordValues>& records_;
  const RunRules& rules_;
  std::vector<Shown> shown_;
  size_t placed_ = 0;
};

std::string describe(size_t k, const RecordValues& r) {
  return "record " + std::to_string(k + 1) + " (volts " + std::to_string(r.volts) + ", amps " +
         std::to_string(r.amps) + ", watts " + std::to_string(r.watts) + ")";
}

}  // namespace

std::optional<RecordValues> parseRecord(const std::string& line) {
  static const std::regex re(
      R"(^<T>\d\d:\d\d</T><V>(\d*\.\d\d)</V><I>(\d+\.\d)</I><W>(\d+\.0)</W><R>\d+</R><S>\d+</S>)"
      R"(<M></M>   (\d*\.\d)Wh$)");
  std::smatch m;
  if (!std::regex_match(line, m, re)) return std::nullopt;
  return RecordValues{std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                      std::stod("0" + m[4].str())};
}

std::string placeRecordsOnRuns(const std::vector<RecordValues>& records,
                               const std::vector<ProgramRun::SentFrame>& frames,
                               const RunRules& rules) {
  RunPlacer placer(records, frames, rules);
  if (placer.place(0, 0)) return "";
  const size_t k = placer.placed();
  return describe(k, records[k]) + " has no run of frames" +
         (k == 0 ? std::string() : " following the run of record " + std::to_string(k));
}

std::string wattHoursFall(const std::vector<RecordValues>& records) {
  for (size_t k = 1; k < records.size(); ++k) {
    if (records[k].wattHours < records[k - 1].wattHours) {
      return describe(k, records[k]) + " holds " + std::to_string(records[k].wattHours) +
             " Wh after " + std::to_string(records[k - 1].wattHours);
    }
  }
  return "";
}

}  // namespace tamsel::e2e
