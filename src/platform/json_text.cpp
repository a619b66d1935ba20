#include "platform/json_text.h"

#include <charconv>
#include <cmath>

namespace tamsel {
namespace {

enum class Encoding { Latin1, Utf8 };

// Only what JSON requires is escaped: the quote, the backslash and the
// control characters below 0x20, with their short forms where JSON has one.
// DEL (0x7f) is an ordinary character to JSON and goes as it is, as do the
// Latin-1 controls 0x80 to 0x9f.
std::string quoted(std::string_view text, Encoding encoding) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  json.reserve(text.size() + 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (byte) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\b':
        json += "\\b";
        break;
      case '\f':
        json += "\\f";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (byte < 0x20) {
          json += "\\u00";
          json += kHex[byte >> 4];
          json += kHex[byte & 0xf];
        } else if (byte >= 0x80 && encoding == Encoding::Latin1) {
          json += static_cast<char>(0xc0 | (byte >> 6));
          json += static_cast<char>(0x80 | (byte & 0x3f));
        } else {
          json += c;
        }
    }
  }
  json += '"';
  return json;
}

}  // namespace

std::string jsonQuoted(std::string_view latin1) {
  return quoted(latin1, Encoding::Latin1);
}

std::string jsonQuotedUtf8(std::string_view utf8) {
  return quoted(utf8, Encoding::Utf8);
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
