#pragma once
// The name of a day's log file, "P_2010_05_23.txt": made, recognised and read back.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar.h"

namespace tamsel {

// "P_2010_05_23.txt": the day's log file in the logs folder.
std::string dayFileName(const CalendarDate& date);
inline std::string dayFileName(const LocalDateTime& t) {
  return dayFileName(calendarDate(t));
}

// Whether the name has a day file's form: "P_", four, two and two digits
// joined by "_", ".txt". Other text files in the logs folder (watthours.txt,
// Whours.txt) are no days.
bool isDayFileName(std::string_view name);

// The date a day file's name stands for; nullopt for any other name and for
// a date the calendar does not have.
std::optional<CalendarDate> dateOfDayFileName(std::string_view name);

// The dates that have a day file in `logsFolder`, oldest first.
std::vector<CalendarDate> dayFileDates(const std::string& logsFolder);

}  // namespace tamsel
