#pragma once
// Raises and clears alarms from the readings, the port and the passing time.
//
// Every accepted reading is added to the sums of the present second (a few
// additions, so the receive path pays next to nothing); once a second the
// monitor is ticked, closes that second and judges every alarm on the
// readings averaged over the hold time. A level alarm is raised when that
// average has gone past its limit, and cleared when it is back past the
// limit by the hysteresis; the average only counts once the readings span
// the whole hold time, so one noisy frame, or the first frame after a
// silence, neither raises nor clears one. A silent board is one that has sent
// no accepted frame for the minutes set while its port is open or lost; it
// clears once frames have come for the hold time.
#include <array>
#include <deque>
#include <optional>
#include <vector>

#include "alarms/alarm_kind.h"
#include "alarms/alarm_settings.h"
#include "platform/clock.h"

namespace tamsel {

// A moment: seconds on a count that only moves forward (for how long), and
// the local time (for the owner).
struct AlarmMoment {
  long long seconds = 0;
  LocalDateTime at;
};

struct AlarmEvent {
  enum class Cause { Level, Silent, PortLost, DataAgain, LimitChanged };
  AlarmKind kind = AlarmKind::LowVolts;
  bool raised = false;
  Cause cause = Cause::Level;
  double value = 0;  // the averaged level, or the minutes without data
  double limit = 0;  // what it crossed: the alarm's limit, or where it clears
  LocalDateTime at;
};

struct AlarmState {
  bool active = false;
  std::optional<LocalDateTime> since;  // when it took its present state; none before
  double value = 0;                    // what raised it, while active
  // A silent board's last frame, or when frames were first expected if none
  // came; only while it is raised.
  std::optional<LocalDateTime> silentSince;
};

// Every alarm's state with the settings it is judged by, as a snapshot.
struct AlarmBoard {
  AlarmSettings settings;
  std::array<AlarmState, kAlarmKindCount> states;
};

class AlarmMonitor {
 public:
  // New limits. An active alarm whose limit changed or went is cleared: it
  // was raised against a limit that is no more.
  std::vector<AlarmEvent> configure(const AlarmSettings& settings, const AlarmMoment& now);

  // Every accepted reading, as it comes.
  void addReading(double volts, double amps, double rpm, double windSpeed) {
    pending.sums[0] += volts;
    pending.sums[1] += amps;
    pending.sums[2] += rpm;
    pending.sums[3] += windSpeed;
    ++pending.count;
  }

  // The port as the logger holds it: open, lost (a failure, not the user's
  // doing) or closed on purpose, when nothing is expected from the board.
  void portOpened(const AlarmMoment& now);
  void portLost(const AlarmMoment& now);
  void portClosed();

  // Once a second: the alarms raised and cleared since the last tick.
  std::vector<AlarmEvent> tick(const AlarmMoment& now);

  const AlarmSettings& settings() const { return settings_; }
  const AlarmState& state(AlarmKind kind) const { return states[indexOf(kind)]; }
  bool anyActive() const;
  AlarmBoard board() const { return {settings_, states}; }

 private:
  struct Sums {
    std::array<double, kWatchedReadingCount> sums{};
    long long count = 0;
  };
  struct Second {
    long long start = 0, end = 0;
    Sums readings;
  };
  enum class Port { Closed, Open, Lost };

  void closeSecond(const AlarmMoment& now);
  void judgeLevel(AlarmKind kind, const AlarmMoment& now, std::vector<AlarmEvent>& events);
  void judgeSilence(const AlarmMoment& now, bool framesCame, std::vector<AlarmEvent>& events);
  void watchPort(Port port, const AlarmMoment& now);
  void change(AlarmEvent event, std::vector<AlarmEvent>& events);
  void addToWindow(const Sums& readings, double sign);
  bool windowCovered(const AlarmMoment& now) const;

  AlarmSettings settings_;
  std::array<AlarmState, kAlarmKindCount> states;
  Sums pending;                // the readings since the last tick
  std::deque<Second> seconds;  // the hold time's readings, oldest first
  Sums window;                 // their sums, kept as seconds come and go
  size_t changesSinceRecount = 0;
  std::optional<AlarmMoment> lastTick;

  Port port = Port::Closed;
  AlarmMoment watchingSince;  // since frames were expected: the port opened or lost
  std::optional<AlarmMoment> lastFrame;
  std::optional<long long> resumedAt;  // frames again after a silence, while it is raised
};

}  // namespace tamsel
