#include "app/alarm_rows.h"

#include <optional>

#include "alarms/alarm_text.h"

namespace tamsel {
namespace {

// The row of the quantity the alarm is about.
std::optional<size_t> rowOf(AlarmKind kind, const ListOptions& options) {
  switch (kind) {
    case AlarmKind::LowVolts:
    case AlarmKind::HighVolts:
      return listRowOf(ListQuantity::Volts, options);
    case AlarmKind::HighAmps:
      return listRowOf(ListQuantity::Amps, options);
    case AlarmKind::HighRPM:
      return listRowOf(ListQuantity::RPM, options);
    case AlarmKind::HighWind:
      return listRowOf(ListQuantity::Wind, options);
    case AlarmKind::NoData:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> alarmRowTips(const AlarmMonitor& alarms, const ListOptions& options) {
  std::vector<std::string> tips(listRowCount(options));
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
