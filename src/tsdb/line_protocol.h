#pragma once
// A day file's record as one line of the line protocol that InfluxDB,
// VictoriaMetrics and QuestDB take:
//   tamsel,site=<site> volts=12.53,amps=3.2,watts=41.0,rpm=350,wind=12,wh=123.4 <unix seconds>
// The numbers are the record's own text, so what the database holds is what
// the day file holds, digit for digit (a "0" added before a leading point).
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// The fields of one record line as it holds them.
struct RecordText {
  int minuteOfDay = 0;  // from "<T>HH:MM</T>"
  std::string volts, amps, watts, rpm, wind, wattHours;
};

// The record a day file's line holds; nullopt for a line that is no whole
// record (a torn piece, a time that is no HH:MM, a value that is no number):
// the database would refuse it, and every line sent with it.
std::optional<RecordText> parseRecordLine(std::string_view line);

// A tag value escaped by the protocol's rules: "," "=" " " and "\" get a "\"
// before them.
std::string escapedTag(std::string_view value);

// One protocol line for `record` at `unixSeconds`, with "\n"; `siteTag` as
// escapedTag gave it.
std::string protocolLine(std::string_view siteTag, const RecordText& record, long long unixSeconds);

}  // namespace tamsel
