#include "telemetry/live_display.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

// Where each quantity stands is where the list puts it, with or without the
// optional rows.
TEST(LiveList, RowOfEachQuantityIsItsRowInTheList) {
  const char* const names[] = {"Volts", "Amps", "Watts", "WattHours", "RPM", "mph"};
  for (const ListOptions& options : {ListOptions{false, false, "mph"},
                                     {true, false, "mph"},
                                     {false, true, "mph"},
                                     {true, true, "mph"}}) {
    const std::vector<ListRow> rows = initialRows(options);
    EXPECT_EQ(listRowCount(options), rows.size());
    size_t shown = 0;
    for (int i = 0; i < kListQuantities; ++i) {
      const std::optional<size_t> row = listRowOf(static_cast<ListQuantity>(i), options);
      if (!row) continue;
      ++shown;
      ASSERT_LT(*row, rows.size());
      EXPECT_EQ(rows[*row].name, names[i]) << options.showRPM << options.showWindSpeed;
    }
    EXPECT_EQ(shown, rows.size());
    EXPECT_EQ(rows.at(kWattHoursRow).name, "WattHours");
  }
}

}  // namespace
}  // namespace tamsel
