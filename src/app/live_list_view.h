#pragma once
// The main window's live list: a row for each value the configuration asks
// for. Rows are rebuilt only when their number changes; a reading changes
// texts in place, so each frame repaints what it changed. Rows an active
// alarm is about are red, with a tooltip saying since when.
#include <functional>
#include <string>
#include <vector>

#include "telemetry/live_display.h"

class QTreeWidget;

namespace tamsel {

class LiveListView {
 public:
  // `alarmTips`: one tooltip per row as the options last given build them
  // (alarm_rows.h).
  LiveListView(QTreeWidget& list, std::function<std::vector<std::string>()> alarmTips)
      : list(list), alarmTips(std::move(alarmTips)) {}

  // Emptied and laid out again for `options`, every value 0.
  void rebuild(const ListOptions& options, int dpiX);
  void showRows(const std::vector<ListRow>& rows);
  void showAlarms();
  void showWattHours(const std::string& text);

 private:
  QTreeWidget& list;
  const std::function<std::vector<std::string>()> alarmTips;
};

}  // namespace tamsel
