#include "history/history_store.h"

#include <charconv>
#include <cmath>

#include "logging/record_fields.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// One or two digits, nothing else: the form the range boxes and the records use.
std::optional<int> smallNumber(std::string_view text, int most) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > most) return std::nullopt;
  return value;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The numeric-text rule, with a short way for the plain "12.53" the logger
// writes: text of digits, "." and "-" that from_chars takes whole reads the
// same under both. Anything else goes the long way.
std::optional<double> numberIn(std::string_view text) {
  const bool plain = !text.empty() && text.find_first_not_of("0123456789.-") == text.npos;
  if (plain) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size()) return value;
  }
  return numericValue(text);
}

double valueOf(const std::optional<std::string_view>& text) {
  if (!text) return 0;
  const double value = numberIn(*text).value_or(0);
  return std::isfinite(value) ? value : 0;  // "1e999" would poison every scale
}

}  // namespace

std::optional<int> parseTimeOfDay(std::string_view text) {
  text = trimmed(text);
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<int> hour = smallNumber(text.substr(0, colon), 23);
  std::string_view rest = text.substr(colon + 1);
  int second = 0;
  if (const size_t more = rest.find(':'); more != std::string_view::npos) {
    const std::optional<int> seconds = smallNumber(rest.substr(more + 1), 59);
    if (!seconds || more + 1 + 2 != rest.size()) return std::nullopt;
    second = *seconds;
    rest = rest.substr(0, more);
  }
  if (rest.size() != 2) return std::nullopt;
  const std::optional<int> minute = smallNumber(rest, 59);
  if (!hour || !minute) return std::nullopt;
  return *hour * 3600 + *minute * 60 + second;
}

std::optional<std::string> rangeBoxProblem(const RangeBoxes& boxes) {
  struct Box {
    const std::string& text;
    int most;
    const char* name;
  };
  const Box all[] = {{boxes.fromHour, 23, "From hour"},
                     {boxes.fromMinute, 59, "From minute"},
                     {boxes.toHour, 23, "To hour"},
                     {boxes.toMinute, 59, "To minute"}};
  for (const Box& box : all) {
    if (!smallNumber(trimmed(box.text), box.most))
      return std::string("The ") + box.name + " box must hold a number from 00 to " +
             std::to_string(box.most) + ".";
  }
  return std::nullopt;
}

TimeRange timeRangeOf(const RangeBoxes& boxes) {
  auto seconds = [](const std::string& hour, const std::string& minute) {
    return smallNumber(trimmed(hour), 23).value_or(0) * 3600 +
           smallNumber(trimmed(minute), 59).value_or(0) * 60;
  };
  return {seconds(boxes.fromHour, boxes.fromMinute), seconds(boxes.toHour, boxes.toMinute)};
}

void forEachHistoryRecord(std::string_view text, TimeRange range,
                          const std::function<bool(const HistoryRecord&)>& visit) {
  static constexpr RecordField kFields[kSeriesCount] = {RecordField::Volts, RecordField::Amps,
                                                        RecordField::Watts, RecordField::Rpm,
                                                        RecordField::WindSpeed};
  bool more = true;
  forEachLine(text, [&](std::string_view line) {
    if (!more) return;
    // The logger may have been cut off mid-line by a power cut: a torn
    // record is no record, whatever numbers its first fields hold.
    if (!isWholeRecord(line)) return;
    const RecordFieldTexts fields = recordFields(line);
    const std::optional<std::string_view>& stamp = fields[RecordField::Time];
    if (!stamp) return;
    const std::optional<int> time = parseTimeOfDay(*stamp);
    if (!time || *time < range.start || *time > range.end) return;
    HistoryRecord record;
    record.time = *time;
    for (int series = 0; series < kSeriesCount; ++series)
      record.values[series] = valueOf(fields[kFields[series]]);
    if (record.values[kRpm] > 500) record.values[kRpm] = 0;
    more = visit(record);
  });
}

LoadOutcome loadHistory(std::string_view text, TimeRange range, HistoryStore& store) {
  LoadOutcome outcome;
  forEachHistoryRecord(text, range, [&](const HistoryRecord& record) {
    if (++outcome.recordCount > kMostRecords) {
      outcome.tooMany = true;
      return false;
    }
    const int slot = outcome.recordCount;
    store.time[slot] = record.time;
    for (int series = 0; series < kSeriesCount; ++series)
      store.values[series][slot] = record.values[series];
    return true;
  });
  return outcome;
}

}  // namespace tamsel
