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
