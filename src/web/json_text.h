#pragma once
// The few pieces of JSON the dashboard writes, from the program's one-byte text.
#include <string>
#include <string_view>

namespace tamsel {

// A JSON string, quotes included: the bytes read as Latin-1, written as UTF-8.
std::string jsonQuoted(std::string_view latin1);
// A JSON number: the shortest text that reads back as `value`; null for
// what is not finite.
std::string jsonNumeral(double value);
inline std::string jsonBool(bool value) {
  return value ? "true" : "false";
}
// "\"key\":" for the next member of an object.
inline std::string jsonKey(std::string_view key) {
  return jsonQuoted(key) + ":";
}

}  // namespace tamsel
