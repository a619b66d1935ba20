#include "telemetry/live_power_plot.h"

#include "config/program_config.h"
#include "platform/numeric_text.h"
#include "platform/power_curve_grid.h"

namespace tamsel {
namespace {

// Dropping one mark at a time would move every kept mark each frame; a tenth
// at once makes the cost per mark constant on average.
constexpr std::size_t kDropAtOnce = LivePowerPlot::kMaxMarks / 10;

}  // namespace

void LivePowerPlot::switchOn(DisplayList& plot, std::string_view maxRpm,
                             std::string_view maxWatts) {
  drawPowerCurveGrid(plot, powerScaleOr(numericValue(maxRpm), &ProgramConfig::MR),
                     powerScaleOr(numericValue(maxWatts), &ProgramConfig::MP));
  firstMark = plot.lines().size();
  // Room for every mark the plot will hold, taken once: a store that grew by
  // doubling would leave its outgrown blocks behind in the heap, and the
  // process would keep growing long after the marks stopped.
  plot.reserve(firstMark + kMaxMarks + kDropAtOnce);
  marks = 0;
  on = true;
}

void LivePowerPlot::switchOff(DisplayList& plot) {
  plot.clear();
  plot.shrinkToFit();
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
  drawPowerCurvePoint(plot, rpm, watts, powerScaleOr(numericValue(maxWatts), &ProgramConfig::MP));
  ++marks;
}

}  // namespace tamsel
