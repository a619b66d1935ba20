#include "tsdb/day_queue.h"

#include <algorithm>

#include "logging/day_file_name.h"
#include "platform/numeric_text.h"
#include "platform/tag_reader.h"
#include "platform/text_file.h"
#include "tsdb/line_protocol.h"
#include "tsdb/record_times.h"

namespace tamsel {
namespace {

// The lines of a day file: whole ones (ended by LF, a CR before it dropped),
// and a last piece without its end, if any.
struct DayLines {
  std::vector<std::string_view> whole;
  bool torn = false;
};

DayLines splitLines(std::string_view text) {
  DayLines lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.whole.push_back(line);
  }
  if (start < text.size()) {
    lines.whole.push_back(text.substr(start));
    lines.torn = true;
  }
  return lines;
}

}  // namespace

std::string sendStateText(const SendPosition& position) {
  return "<DayFile>" + dayFileName(position.day) + "</DayFile>\r\n<Line>" +
         std::to_string(position.line) + "</Line>\r\n";
}

std::optional<SendPosition> readSendState(std::string_view text) {
  const auto name = readTag(text, "DayFile");
  const auto line = readTag(text, "Line");
  if (!name || !line) return std::nullopt;
  const auto day = dateOfDayFileName(trimmedText(*name));
  const auto count = wholeNumberIn(*line, 0, 1 << 30);
  if (!day || !count) return std::nullopt;
  return SendPosition{*day, *count};
}

DayQueue::DayQueue(std::string folder, std::string_view site)
    : logsFolder(std::move(folder)), siteTag(escapedTag(site)) {}

std::string DayQueue::path(const CalendarDate& day) const {
  return logsFolder + "/" + dayFileName(day);
}

std::vector<CalendarDate> DayQueue::days() const {
  return dayFileDates(logsFolder);
}

Batch DayQueue::next(const SendPosition& from, int logDelaySeconds, long long mostRecords) const {
  Batch batch;
  batch.end = from;
  std::vector<CalendarDate> all = days();
  all.erase(all.begin(), std::lower_bound(all.begin(), all.end(), from.day));
  for (size_t i = 0; i < all.size() && batch.records < mostRecords; ++i) {
    const CalendarDate& day = all[i];
    const bool laterDayExists = i + 1 < all.size();
    const Result<std::string> text = readWholeFile(path(day));
    if (!text) {
      batch.problem = "logs/" + dayFileName(day) + " cannot be read: " + text.error();
      break;
    }
    DayLines lines = splitLines(*text);
    // A torn last line is ended by the next record, or never when the day is over.
    if (lines.torn && !laterDayExists) lines.whole.pop_back();
    const long long first = day == from.day ? from.line : 0;
    const long long count = static_cast<long long>(lines.whole.size());
    RecordTimes times(day, logDelaySeconds);
    long long at = 0;
    for (; at < count; ++at) {
      const auto record = parseRecordLine(lines.whole[static_cast<size_t>(at)]);
      // Every record before the start still counts for the timestamp rule.
      const long long stamp = record ? times.next(record->minuteOfDay) : 0;
      if (at < first) continue;
      if (batch.records == mostRecords) break;
      ++batch.consumed;
      if (!record) continue;
      batch.body += protocolLine(siteTag, *record, stamp);
      ++batch.records;
    }
    batch.end = {day, std::max(at, first)};
    if (at < count) break;
    if (laterDayExists) {
      batch.finishedDay = day;
      batch.end = {all[i + 1], 0};
    } else if (at > first) {
      batch.finishedDay = day;
    }
  }
  return batch;
}

long long DayQueue::linesAfter(const SendPosition& from) const {
  long long lines = 0;
  std::vector<CalendarDate> all = days();
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] < from.day) continue;
    const Result<std::string> text = readWholeFile(path(all[i]));
    if (!text) continue;
    const long long ends = std::count(text->begin(), text->end(), '\n');
    const bool torn = !text->empty() && text->back() != '\n';
    const long long count = ends + (torn && i + 1 < all.size() ? 1 : 0);
    lines += all[i] == from.day ? std::max(0LL, count - from.line) : count;
  }
  return lines;
}

}  // namespace tamsel
