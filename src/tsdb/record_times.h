#pragma once
// The one timestamp rule for a record, live or past, so that sending a record
// again overwrites it rather than adding a second: the day file's date and
// the record's HH:MM in the local time zone, plus k x LogDelay seconds (at
// most 59) for the k-th record in a row with the same HH:MM (k from 0). In
// the hour the clocks go back, the records before local time first runs
// backwards in the file take the summer offset, the later ones the winter one.
#include "platform/calendar.h"

namespace tamsel {

// The times of one day file's records, told in the file's order.
class RecordTimes {
 public:
  RecordTimes(const CalendarDate& day, int logDelaySeconds);

  // Unix seconds of the next record, stamped `minuteOfDay`.
  long long next(int minuteOfDay);

 private:
  long long localMinuteToUnix(int minuteOfDay) const;

  CalendarDate day;
  int logDelay;
  int lastMinute = -1;
  int sameMinute = 0;         // k
  bool ranBackwards = false;  // local time went back in this file
  long long midnight = 0;     // unix seconds of 00:00, when the day has one offset
  bool oneOffset = false;     // no clock change in the day
};

}  // namespace tamsel
