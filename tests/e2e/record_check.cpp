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

bool averagesSomeRunOf(const RecordValues& record, const std::vector<ProgramRun::SentFrame>& frames,
                       size_t longestRun) {
  for (size_t start = 0; start < frames.size(); ++start) {
    double volts = 0, amps = 0, watts = 0;
    for (size_t n = 1; n <= longestRun && start + n <= frames.size(); ++n) {
      const auto& f = frames[start + n - 1];
      const double v = roundTo(f.volts, 2), a = roundTo(f.amps, 2);
      volts += v;
      amps += a;
      watts += roundTo(v * a, 1);
      if (std::abs(volts / n - record.volts) < 0.0051 && std::abs(amps / n - record.amps) < 0.051 &&
          std::abs(watts / n - record.watts) < 1.01) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace tamsel::e2e
