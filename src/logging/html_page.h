#pragma once
// The HTML outputs of a logging tick: the day's tab-separated history line
// and the status page filled in from the user's template.
#include <string>
#include <string_view>

#include "logging/averaging.h"
#include "platform/clock.h"

namespace tamsel {

// "history23_05_2010.txt": the short date with "/" made "_".
std::string historyFileName(const LocalDateTime& date);

// volts "V", amps "A", watts "W", rpm "RPM", wind speed + units, mode and
// the long time, each pair of fields two tabs apart.
std::string historyLine(const AveragedValues& values, std::string_view windUnits,
                        const LocalDateTime& time);

// The template with "<VV>", "<II>", "<WW>", "<WH>", "<RR>", "<SS>", "<TT>"
// and "<MM>" replaced in that order, every occurrence, case-sensitive, and
// a carriage return and line feed after it: the whole of log.asp. Every
// other byte of the template is copied as it stands.
std::string fillTemplate(std::string_view templateText, const AveragedValues& values,
                         double wattHours, const LocalDateTime& time);

// Every occurrence of `placeholder` (not empty) in `text` replaced, in one
// pass from the start; replaced text is not searched again.
std::string replaceAll(std::string_view text, std::string_view placeholder,
                       std::string_view replacement);

}  // namespace tamsel
