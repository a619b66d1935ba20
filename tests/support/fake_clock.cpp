#include "support/fake_clock.h"

#include <ctime>

namespace tamsel::test {

void FakeClock::advanceSeconds(int seconds) {
  std::tm tm{};
  tm.tm_year = now_.year - 1900;
  tm.tm_mon = now_.month - 1;
  tm.tm_mday = now_.day;
  tm.tm_hour = now_.hour;
  tm.tm_min = now_.minute;
  tm.tm_sec = now_.second + seconds;
  std::time_t t = timegm(&tm);
  std::tm out{};
  gmtime_r(&t, &out);
  now_ = {out.tm_year + 1900, out.tm_mon + 1, out.tm_mday, out.tm_hour, out.tm_min, out.tm_sec};
}

}  // namespace tamsel::test
