#pragma once
// Today's amp-hours and the days since the battery was last full, for the
// MQTT feed's two battery sensors, worked out from the day files after each
// record. The analysis runs on a thread of its own, one run at a time, and
// its answer comes back on the event loop, so a first run over a year of
// files never holds up a frame. Days since full is counted over the
// kBatteryDays days up to the record's day; the day files' sums are kept
// between runs, so after the first only the day being written is read again.
#include <QObject>
#include <QThreadPool>
#include <functional>
#include <optional>
#include <string>

#include "analysis/day_file_analysis.h"
#include "platform/calendar.h"

namespace tamsel {

inline constexpr int kBatteryDays = 366;

// {"amp_hours_today":…,"days_since_full":…} for `day` from the day files of
// `programFolder`; nulls for what cannot be worked out (turbine.cfg or
// prog.cfg that cannot be read, a day file that cannot be read).
std::string batteryState(DayFileAnalysis& analysis, const std::string& programFolder,
                         const CalendarDate& day);

// A QObject only to be the context its answers come back to.
class BatteryWatch : public QObject {
 public:
  using Done = std::function<void(const std::string& state)>;
  BatteryWatch(std::string programFolder, Done done, QObject* parent = nullptr);
  // Waits for a run under way; its answer is dropped.
  ~BatteryWatch() override;

  // A record of `day` was written: the figures are worked out again, at
  // once or, while a run is under way, right after it.
  void recordWritten(const CalendarDate& day);

 private:
  void startRun(const CalendarDate& day);
  void runFinished(const std::string& state);

  const std::string programFolder;
  const Done done;
  DayFileAnalysis analysis;  // touched only by the one run under way
  bool running = false;
  std::optional<CalendarDate> next;  // asked for while a run was under way
  QThreadPool pool;
};

}  // namespace tamsel
