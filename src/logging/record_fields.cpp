#include "logging/record_fields.h"

namespace tamsel {
namespace {

// The field letter of each RecordField, in enum order: "<T>" ... "</T>".
constexpr char kLetters[] = {'T', 'V', 'I', 'W', 'R', 'S'};

int fieldOfLetter(char letter) {
  for (int f = 0; f < 6; ++f)
    if (kLetters[f] == letter) return f;
  return -1;
}

}  // namespace

RecordFieldTexts recordFields(std::string_view line) {
  constexpr size_t npos = std::string_view::npos;
  size_t openAt[6] = {npos, npos, npos, npos, npos, npos};
  size_t closeAt[6] = {npos, npos, npos, npos, npos, npos};
  // Each "<" is looked at once; the first opening and the first closing tag
  // of each field are kept, as the tag rule finds them from the start.
  for (size_t at = line.find('<'); at != npos; at = line.find('<', at + 1)) {
    const bool closing = at + 1 < line.size() && line[at + 1] == '/';
    const size_t letterAt = at + (closing ? 2 : 1);
    if (letterAt + 1 >= line.size() || line[letterAt + 1] != '>') continue;
    const int field = fieldOfLetter(line[letterAt]);
    if (field < 0) continue;
    size_t& slot = closing ? closeAt[field] : openAt[field];
    if (slot == npos) slot = at;
  }
  RecordFieldTexts texts;
  for (int f = 0; f < 6; ++f) {
    // Both tags, the closing one not before the opening one's end.
    if (openAt[f] == npos || closeAt[f] == npos || closeAt[f] < openAt[f] + 3) continue;
    texts.text[f] = line.substr(openAt[f] + 3, closeAt[f] - openAt[f] - 3);
  }
  return texts;
}

std::optional<std::string_view> recordField(std::string_view line, RecordField field) {
  return recordFields(line)[field];
}

bool isWholeRecord(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line.ends_with("Wh");
}

}  // namespace tamsel
