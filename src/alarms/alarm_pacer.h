#pragma once
// How often the owner hears of one alarm: at most once a minute. A change
// after a quiet minute is told at once; the changes that follow it within the
// minute are held and counted, and told at the first tick a minute after the
// last telling: one change as it is, more summed up in one line. What shows
// an alarm's state (a red row, a banner, MQTT) follows every change; this
// paces only the words.
#include <array>
#include <optional>
#include <vector>

#include "alarms/alarm_monitor.h"

namespace tamsel {

// One telling: a change, or the changes of a minute summed up.
struct AlarmTelling {
  // The change; for a summary the last one (the present state), at the moment told.
  AlarmEvent event;
  int raises = 0;  // a summary's counts; both 0 for a change told as it is
  int clears = 0;
  // The state told differs from the one told before: something new for the
  // owner's command and the desktop. A minute that came back to where it
  // started is only written down.
  bool stateChanged = true;

  bool summary() const { return raises + clears > 0; }
};

class AlarmPacer {
 public:
  static constexpr long long kMinute = 60;

  // A change at `seconds` (the monitor's count): told now, or held.
  std::optional<AlarmTelling> changed(const AlarmEvent& event, long long seconds);
  // Once a second: what was held for a minute.
  std::vector<AlarmTelling> tick(long long seconds, const LocalDateTime& at);
  // All that is held, now: the logger is leaving.
  std::vector<AlarmTelling> flush(long long seconds, const LocalDateTime& at);

 private:
  struct Alarm {
    std::optional<long long> toldAt;
    bool toldRaised = false;
    std::optional<AlarmEvent> last;  // the last change held
    int raises = 0;                  // the changes held
    int clears = 0;
  };

  std::vector<AlarmTelling> tellHeld(long long seconds, const LocalDateTime& at, bool all);

  std::array<Alarm, kAlarmKindCount> alarms;
};

}  // namespace tamsel
