#pragma once
// Day files for history tests, in the logger's own record form.
#include <string>

#include "platform/calendar.h"

namespace tamsel::test {

struct Values {
  std::string volts = "12.50", amps = "1.0", watts = "100.0", rpm = "200", wind = "7";
};

inline std::string record(const std::string& time, const Values& v = {}) {
  return "<T>" + time + "</T><V>" + v.volts + "</V><I>" + v.amps + "</I><W>" + v.watts + "</W><R>" +
         v.rpm + "</R><S>" + v.wind + "</S><M></M>   12.0Wh\r\n";
}

// One record a minute from `fromMinute` on, all with the same values.
inline std::string minuteRecords(int fromMinute, int count, const Values& v = {}) {
  std::string text;
  for (int i = 0; i < count; ++i) text += record(hourMinute(fromMinute + i), v);
  return text;
}

// `count` records 8 s apart from 00:00:08: more than a day of minutes holds.
inline std::string eightSecondRecords(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    const int s = i * 8;
    text += record(hourMinute(s / 60) + ":" + char('0' + s % 60 / 10) + char('0' + s % 60 % 10));
  }
  return text;
}

}  // namespace tamsel::test
