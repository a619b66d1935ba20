#pragma once
// Who else hears of alarms besides the error log and whoever shows the
// logger: the owner's command, the desktop, a dashboard.
#include <string>

#include "alarms/alarm_monitor.h"

namespace tamsel {

class AlarmSink {
 public:
  // At every load of alarm.cfg.
  virtual void alarmSettingsLoaded(const AlarmSettings& /*settings*/) {}
  // One alarm raised or cleared; `line` says so in words.
  virtual void alarmChanged(const AlarmEvent& event, const std::string& line) = 0;

 protected:
  ~AlarmSink() = default;
};

}  // namespace tamsel
