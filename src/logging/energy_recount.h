#pragma once
// Rebuilding the day's watt-hours from the day's log file at start-up.
#include <string_view>

namespace tamsel {

// Each whole record adds its watts / 3600 x `delaySeconds`, rounded to two
// decimals (ties to even). Lines that are not whole records, or that lack
// either watts tag, add nothing. `logText` is the whole file as read.
double recountWattHours(std::string_view logText, double delaySeconds);

}  // namespace tamsel
