#pragma once
// Day files of one-minute records as the logger writes them, for the
// benchmarks that read years of history: written once into a folder under the
// temporary folder and kept there for the next run.
#include <string>

#include "platform/calendar.h"

namespace tamsel::bench {

// `days` day files from `first` on in `folder` (made if missing); files there
// already are kept as they are. Returns the last day written.
CalendarDate writeGeneratedDays(const std::string& folder, CalendarDate first, int days);

}  // namespace tamsel::bench
