#pragma once
// Reading record lines back out of a daily log file. The start-up energy
// recount and the log history both read records through these, so a record
// is recognised and its fields are found by one rule.
#include <optional>
#include <string_view>

namespace tamsel {

enum class RecordField { Time, Volts, Amps, Watts, Rpm, WindSpeed };

// The text between the first opening and the first closing tag of `field`
// ("<W>" and "</W>"), nothing trimmed; nullopt when either tag is missing or
// the closing tag stands before the opening one. Number rules are the
// caller's: each reader applies its own.
std::optional<std::string_view> recordField(std::string_view line, RecordField field);

// Every field of a line by the same rule, found in one pass over the line:
// the history loader reads thousands of lines at a time.
struct RecordFieldTexts {
  std::optional<std::string_view> text[6];  // indexed by RecordField
  const std::optional<std::string_view>& operator[](RecordField field) const {
    return text[static_cast<int>(field)];
  }
};
RecordFieldTexts recordFields(std::string_view line);

// Every record the program writes ends with "Wh". A line cut short by a power
// cut does not, and its last field may be cut mid-number ("<W>4" for
// "<W>412.0"); the history shows only whole lines. (The start-up recount
// counts any line whose watts field is whole.) A torn line end can leave a
// lone carriage return after the "Wh"; that record is still whole.
bool isWholeRecord(std::string_view line);

// Calls `visit(line)` for each piece of `text` between carriage-return
// line-feed pairs, the piece after the last pair included (empty when the
// text ends with a line break). The views point into `text`.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
  for (;;) {
    const size_t end = text.find("\r\n");
    if (end == std::string_view::npos) {
      visit(text);
      return;
    }
    visit(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
}

}  // namespace tamsel
