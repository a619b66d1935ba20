#pragma once
// The JSON this program writes, for the dashboard and the broker alike.
#include <string>
#include <string_view>

namespace tamsel {

// A JSON string, quotes included, from the program's one-byte text: the
// bytes read as Latin-1, written as UTF-8.
std::string jsonQuoted(std::string_view latin1);
// The same from text that is UTF-8 already (mqtt.cfg's names), bytes kept.
std::string jsonQuotedUtf8(std::string_view utf8);
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
