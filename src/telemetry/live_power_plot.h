#pragma once
// The live power-versus-RPM plot as data: the grid drawn when it is switched
// on, one mark per accepted reading, everything cleared when it is switched
// off. It draws into the display list of the surface that shows it.
#include <cstddef>
#include <string_view>

#include "platform/display_list.h"

namespace tamsel {

class LivePowerPlot {
 public:
  // Marks kept for repainting; a plot left on for weeks drops its oldest.
  static constexpr std::size_t kMaxMarks = 100000;

  // The grid for maxRpm and maxWatts as configured (MR and MP). Values that
  // are missing, not numbers or not above 0 take the setup window's defaults,
  // so the grid is always drawn. Nothing drawn before is erased.
  void switchOn(DisplayList& plot, std::string_view maxRpm, std::string_view maxWatts);
  // Clears grid and marks.
  void switchOff(DisplayList& plot);
  bool isOn() const { return on; }

  // One mark for an accepted reading, placed by the maximum power configured
  // now. Nothing when the plot is off.
  void addReading(DisplayList& plot, double rpm, double watts, std::string_view maxWatts);

 private:
  bool on = false;
  std::size_t firstMark = 0;  // lines before it belong to grids
  std::size_t marks = 0;
};

}  // namespace tamsel
