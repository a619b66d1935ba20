#include "web/json_text.h"

#include <charconv>
#include <cmath>

namespace tamsel {

std::string jsonQuoted(std::string_view latin1) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  json.reserve(latin1.size() + 2);
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      json += "\\u00";
      json += kHex[byte >> 4];
      json += kHex[byte & 0xf];
    } else if (byte >= 0x80) {
      json += static_cast<char>(0xc0 | (byte >> 6));
      json += static_cast<char>(0x80 | (byte & 0x3f));
    } else {
      json += c;
    }
  }
  json += '"';
  return json;
}

std::string jsonNumeral(double value) {
  if (!std::isfinite(value)) return "null";
  // The shortest text that reads back as the same number: what the files
  // hold ("12.53") stays as it is, and a computed figure loses nothing.
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace tamsel
