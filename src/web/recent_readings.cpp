#include "web/recent_readings.h"

#include "platform/json_text.h"
#include "web/dashboard_state.h"

namespace tamsel {

void RecentReadings::add(const LocalDateTime& at, const Reading& reading) {
  const long long second = secondsSinceEpoch(at);
  while (!kept.empty() && kept.back().second > second) kept.pop_back();
  if (kept.empty() || kept.back().second != second) kept.emplace_back();
  kept.back() = {at,
                 second,
                 reading.voltsValue,
                 reading.ampsValue,
                 reading.wattsValue,
                 reading.rpmValue,
                 reading.windSpeed};
  while (kept.front().second <= second - kSpanSeconds) kept.pop_front();
}

std::string RecentReadings::json(const LocalDateTime& now) const {
  const long long newest = secondsSinceEpoch(now);
  std::string json = "[";
  json.reserve(kept.size() * 56 + 2);
  for (const RecentReading& r : kept) {
    if (r.second <= newest - kSpanSeconds || r.second > newest) continue;
    if (json.size() > 1) json += ',';
    json += "[" + jsonQuoted(isoDateTime(r.at));
    for (const double value : {r.volts, r.amps, r.watts, r.rpm, r.windSpeed})
      json += "," + jsonNumeral(value);
    json += "]";
  }
  return json + "]";
}

}  // namespace tamsel
