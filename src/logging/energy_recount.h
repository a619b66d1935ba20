#pragma once
// Rebuilding the day's watt-hours from the day's log file at start-up.
#include <string_view>

namespace tamsel {

// Each line holding "<W>" and "</W>" adds its watts / 3600 x `delaySeconds`,
// rounded to two decimals (ties to even). Lines that lack either watts tag,
// or whose watts are no finite number, add nothing. `logText` is the whole
// file as read.
double recountWattHours(std::string_view logText, double delaySeconds);

}  // namespace tamsel
