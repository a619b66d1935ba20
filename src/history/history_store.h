#pragma once
// One day's records as the log history holds them, and the loader that fills
// them from a daily log file's text for a time range.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// The five series, in the order they are drawn and laid out.
enum Series { kVolts, kAmps, kWatts, kRpm, kWind, kSeriesCount };

// Slot 0 is never filled; records go from 1 up. The slots are allocated once,
// so loading never grows anything; a load holds at most kMostRecords.
inline constexpr int kHistorySlots = 10001;
inline constexpr int kMostRecords = 9999;

struct HistoryStore {
  std::array<int, kHistorySlots> time{};  // seconds since midnight
  std::array<std::array<double, kHistorySlots>, kSeriesCount> values{};
};

inline constexpr std::string_view kNoHistoryMessage = "No data for that date";
inline constexpr std::string_view kTooManyRecordsMessage =
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set you "
    "logging interval to 10 seconds or more, you wont have this problem in the future. ";

// "14:05" (also "9:05" and "14:05:30"): seconds since midnight; nullopt for
// anything that is not a time of day.
std::optional<int> parseTimeOfDay(std::string_view text);

// The four range boxes as the start and end of a range, or the message that
// names the box that does not hold a valid hour or minute.
struct TimeRange {
  int start = 0;
  int end = 0;
};
struct RangeBoxes {
  std::string fromHour, fromMinute, toHour, toMinute;
};
std::optional<std::string> rangeBoxProblem(const RangeBoxes& boxes);
TimeRange timeRangeOf(const RangeBoxes& boxes);  // only after rangeBoxProblem said nothing

// One whole record of a day file, its values read by the loader's rules.
struct HistoryRecord {
  int time = 0;  // seconds since midnight
  std::array<double, kSeriesCount> values{};
};

// Calls `visit` for every whole record stamped within the range, its first
// and last minute included (a range shown again keeps its records), in file
// order, until it returns false. A value that is missing or no number
// is 0; RPM above 500 is 0.
void forEachHistoryRecord(std::string_view text, TimeRange range,
                          const std::function<bool(const HistoryRecord&)>& visit);

struct LoadOutcome {
  int recordCount = 0;   // kMostRecords + 1 when the range held too many
  bool tooMany = false;  // nothing past the limit was stored; show kTooManyRecordsMessage
};

// Stores every whole record of `text` stamped within the range, ends
// included, from slot 1 up. A value that is missing or no number is 0; RPM above 500 is 0.
// Slots past the new count keep whatever an earlier load left there.
LoadOutcome loadHistory(std::string_view text, TimeRange range, HistoryStore& store);

}  // namespace tamsel
