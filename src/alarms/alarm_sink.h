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
  // One alarm raised or cleared, told at most once a minute: `line` says so
  // in words, or sums up a minute's changes (then `event` is the last, the
  // state now). Only a state different from the one last told comes here.
  virtual void alarmChanged(const AlarmEvent& event, const std::string& line) = 0;

 protected:
  ~AlarmSink() = default;
};

}  // namespace tamsel
