#pragma once
// The spreadsheet day file: an HTML table under ".xls" that spreadsheet
// programs open as a sheet, one row per logging tick, never closed.
#include <string>
#include <string_view>

#include "logging/averaging.h"
#include "platform/clock.h"

namespace tamsel {

// "2010_05_23.xls".
std::string spreadsheetFileName(const LocalDateTime& date);

// The header row, headed for the wind speed by its unit. It ends with its own
// carriage return and line feed and is then written as a line, so an empty
// line follows it in the file; the same holds for each row.
std::string spreadsheetHeader(std::string_view windUnits);

// One row of seven cells under the header's seven.
std::string spreadsheetRow(const AveragedValues& values, const LocalDateTime& time);

}  // namespace tamsel
