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

// Calls `visit(line)` for each line of `text`, the piece after the last line
// break included (empty when the text ends with one). Lines end in CR LF as
// the program writes them, or in a bare LF when a file was copied from another
// system or edited by hand; the CR of a CR LF is not part of the line. The
// views point into `text`.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
  for (;;) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      visit(text);
      return;
    }
    const bool crlf = end > 0 && text[end - 1] == '\r';
    visit(text.substr(0, crlf ? end - 1 : end));
    text.remove_prefix(end + 1);
  }
}

}  // namespace tamsel
