#include "telemetry/live_power_plot.h"

#include "config/program_config.h"
#include "platform/numeric_text.h"
#include "platform/power_curve_grid.h"

namespace tamsel {
namespace {

// A maximum the plot can be scaled by, or the setup window's default.
double maximumOr(std::string_view text, double fallback) {
  const std::optional<double> value = numericValue(text);
  return value && *value > 0 && *value < 1e15 ? *value : fallback;
}

double defaultMaximum(std::string ProgramConfig::*key) {
  return *numericValue(setupDefaults().*key);
}

// Dropping one mark at a time would move every kept mark each frame; a tenth
// at once makes the cost per mark constant on average.
constexpr std::size_t kDropAtOnce = LivePowerPlot::kMaxMarks / 10;

}  // namespace

void LivePowerPlot::switchOn(DisplayList& plot, std::string_view maxRpm,
                             std::string_view maxWatts) {
  static const double defaultRpm = defaultMaximum(&ProgramConfig::MR);
  static const double defaultWatts = defaultMaximum(&ProgramConfig::MP);
  drawPowerCurveGrid(plot, maximumOr(maxRpm, defaultRpm), maximumOr(maxWatts, defaultWatts));
  firstMark = plot.lines().size();
  marks = 0;
  on = true;
}

void LivePowerPlot::switchOff(DisplayList& plot) {
  plot.clear();
  on = false;
  firstMark = marks = 0;
}

void LivePowerPlot::addReading(DisplayList& plot, double rpm, double watts,
                               std::string_view maxWatts) {
  if (!on) return;
  if (marks == kMaxMarks + kDropAtOnce) {
    plot.dropLines(firstMark, kDropAtOnce);
    marks -= kDropAtOnce;
  }
  static const double defaultWatts = defaultMaximum(&ProgramConfig::MP);
  drawPowerCurvePoint(plot, rpm, watts, maximumOr(maxWatts, defaultWatts));
  ++marks;
}

}  // namespace tamsel
