#include "alarms/alarm_pacer.h"

namespace tamsel {
namespace {

// A minute since the last telling; a count set back (a clock moved by hand)
// ends the minute rather than holding changes until it comes round again.
bool minuteOver(std::optional<long long> toldAt, long long seconds) {
  return !toldAt || seconds - *toldAt >= AlarmPacer::kMinute || seconds < *toldAt;
}

}  // namespace

std::optional<AlarmTelling> AlarmPacer::changed(const AlarmEvent& event, long long seconds) {
  Alarm& alarm = alarms[indexOf(event.kind)];
  // With changes held, this one joins them: they are told together at the next tick.
  if (!alarm.last && minuteOver(alarm.toldAt, seconds)) {
    alarm.toldAt = seconds;
    const bool stateChanged = event.raised != alarm.toldRaised;
    alarm.toldRaised = event.raised;
    return AlarmTelling{event, 0, 0, stateChanged};
  }
  alarm.last = event;
  ++(event.raised ? alarm.raises : alarm.clears);
  return std::nullopt;
}

std::vector<AlarmTelling> AlarmPacer::tick(long long seconds, const LocalDateTime& at) {
  return tellHeld(seconds, at, false);
}

std::vector<AlarmTelling> AlarmPacer::flush(long long seconds, const LocalDateTime& at) {
  return tellHeld(seconds, at, true);
}

// One change held is told as it is, at its own time; more are summed up now.
std::vector<AlarmTelling> AlarmPacer::tellHeld(long long seconds, const LocalDateTime& at,
                                               bool all) {
  std::vector<AlarmTelling> told;
  for (Alarm& alarm : alarms) {
    if (!alarm.last || (!all && !minuteOver(alarm.toldAt, seconds))) continue;
    AlarmTelling telling{*alarm.last};
    if (alarm.raises + alarm.clears > 1) {
      telling.raises = alarm.raises;
      telling.clears = alarm.clears;
      telling.event.at = at;
    }
    telling.stateChanged = telling.event.raised != alarm.toldRaised;
    told.push_back(telling);
    alarm = {seconds, telling.event.raised, std::nullopt, 0, 0};
  }
  return told;
}

}  // namespace tamsel
