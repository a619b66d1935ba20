#pragma once
// Which rows of the live list an active alarm marks, and what their tooltips say.
#include <string>
#include <vector>

#include "alarms/alarm_monitor.h"
#include "telemetry/live_display.h"

namespace tamsel {

// One tooltip per row of the list as `options` builds it; empty for a row
// no active alarm is about. The silent board has no row: it shows on the
// comms line.
std::vector<std::string> alarmRowTips(const AlarmMonitor& alarms, const ListOptions& options);

}  // namespace tamsel
