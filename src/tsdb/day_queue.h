#pragma once
// The day files are the sending queue: a position (a day file and how many of
// its lines are sent) says how far sending has reached, and batches of
// protocol lines are read from there on. Nothing is copied aside, so what a
// crash or an outage leaves unsent is still in the day files.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar.h"
#include "platform/status.h"

namespace tamsel {

struct SendPosition {
  CalendarDate day;    // the day file
  long long line = 0;  // its lines already sent (or passed over as no record)
  bool operator==(const SendPosition&) const = default;
};

// The state file's text: "<DayFile>P_2010_05_23.txt</DayFile>" and
// "<Line>123</Line>", each line ended by CR LF.
std::string sendStateText(const SendPosition& position);
// The position the text holds; nullopt when it holds none.
std::optional<SendPosition> readSendState(std::string_view text);

struct Batch {
  std::string body;        // protocol lines, each ended by "\n"
  long long records = 0;   // lines in `body`
  long long consumed = 0;  // day file lines passed, records or not
  SendPosition end;        // where sending stands once the batch is taken
  // The last day file this batch read to its end (its last line a whole one,
  // or a later day file begun): a day wholly sent once the batch is taken.
  std::optional<CalendarDate> finishedDay;
  std::string problem;  // a day file that cannot be read: the batch stops before it
};

class DayQueue {
 public:
  // `site` as the tag will carry it, unescaped.
  DayQueue(std::string logsFolder, std::string_view site);

  // Up to `mostRecords` records from `from` on, stamped by the timestamp rule
  // with `logDelaySeconds`. A last line without its line end is being
  // written: it waits, unless a later day file shows it never will be ended.
  Batch next(const SendPosition& from, int logDelaySeconds, long long mostRecords) const;

  // Whole lines from `from` to the end of the newest day file.
  long long linesAfter(const SendPosition& from) const;

  std::vector<CalendarDate> days() const;

 private:
  std::string path(const CalendarDate& day) const;

  std::string logsFolder;
  std::string siteTag;
};

}  // namespace tamsel
