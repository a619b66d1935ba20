#include "app/alarm_rows.h"

#include <optional>

#include "alarms/alarm_text.h"

namespace tamsel {
namespace {

// The rows: Volts, Amps, Watts, WattHours, then RPM and the wind when shown.
std::optional<size_t> rowOf(AlarmKind kind, const ListOptions& options) {
  switch (kind) {
    case AlarmKind::LowVolts:
    case AlarmKind::HighVolts:
      return 0;
    case AlarmKind::HighAmps:
      return 1;
    case AlarmKind::HighRPM:
      return options.showRPM ? std::optional<size_t>(4) : std::nullopt;
    case AlarmKind::HighWind:
      return options.showWindSpeed ? std::optional<size_t>(options.showRPM ? 5 : 4) : std::nullopt;
    case AlarmKind::NoData:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> alarmRowTips(const AlarmMonitor& alarms, const ListOptions& options) {
  std::vector<std::string> tips(4 + options.showRPM + options.showWindSpeed);
  for (AlarmKind kind : kAlarmKinds) {
    const std::optional<size_t> row = rowOf(kind, options);
    if (!row) continue;
    const std::string tip =
        alarmTooltip(kind, alarms.state(kind), alarms.settings(), options.windUnits);
    if (tip.empty()) continue;
    std::string& rowTip = tips[*row];
    rowTip += (rowTip.empty() ? "" : "\n") + tip;
  }
  return tips;
}

}  // namespace tamsel
