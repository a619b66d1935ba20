#include "e2e/record_check.h"

#include <cmath>
#include <regex>

namespace tamsel::e2e {
namespace {

// Half away from zero on the decimal text, as the logger's masks round. The
// sent log gives four decimals, so the values are exact in units of 1e-4.
double roundTo(double value, int decimals) {
  const double step = std::pow(10.0, 4 - decimals);
  return std::copysign(std::floor(std::abs(std::llround(value * 10000)) / step + 0.5), value) *
         step / 10000;
}

// A frame as the logger adds it to its sums: volts and amps as shown, watts
// from those.
struct Shown {
  double volts, amps, watts;
};

struct Placing {
  const std::vector<RecordValues>& records;
  const RunRules& rules;
  std::vector<Shown>
      before;         // sums of the frames before each, so a run's sum costs the same at any length
  size_t placed = 0;  // how far any attempt got

  size_t frameCount() const { return before.size() - 1; }

  bool averages(const RecordValues& record, size_t start, size_t n) const {
    const Shown& from = before[start];
    const Shown& to = before[start + n];
    const Shown sum{to.volts - from.volts, to.amps - from.amps, to.watts - from.watts};
    return std::abs(sum.volts / n - record.volts) < 0.0051 &&
           std::abs(sum.amps / n - record.amps) < 0.051 &&
           std::abs(sum.watts / n - record.watts) < 1.01;
  }

  // Tries every place for record `k` from frame `from` on, and the records
  // after it behind each.
  bool place(size_t k, size_t from) {
    placed = std::max(placed, k);
    if (k == records.size()) return !rules.everyFrame || from == frameCount();
    const size_t lastStart =
        k == 0 ? (rules.everyFrame ? 0 : frameCount()) : from + rules.mostSkipped;
    const size_t shortest = k == 0 ? 1 : rules.shortestRun;
    for (size_t start = from; start <= lastStart && start < frameCount(); ++start) {
      for (size_t n = shortest; n <= rules.longestRun && start + n <= frameCount(); ++n) {
        if (averages(records[k], start, n) && place(k + 1, start + n)) return true;
      }
    }
    return false;
  }
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
  Placing placing{records, rules, {{0, 0, 0}}};
  for (const auto& f : frames) {
    const double v = roundTo(f.volts, 2), a = roundTo(f.amps, 2);
    const Shown& sum = placing.before.back();
    placing.before.push_back({sum.volts + v, sum.amps + a, sum.watts + roundTo(v * a, 1)});
  }
  if (placing.place(0, 0)) return "";
  const size_t k = placing.placed;
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
