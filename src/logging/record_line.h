#pragma once
// The daily log file: its name and the one record line a logging tick appends.
#include <string>

#include "logging/averaging.h"
#include "platform/clock.h"

namespace tamsel {

// <T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh
// The averaged texts are read as numbers and written under the record's own
// masks; `time` gives the hh:mm stamp.
std::string recordLine(const LocalDateTime& time, const AveragedValues& values, double wattHours);

}  // namespace tamsel
