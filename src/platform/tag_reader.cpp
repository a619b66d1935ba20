#include "platform/tag_reader.h"

namespace tamsel {

std::optional<std::string_view> textBetweenTags(std::string_view text, std::string_view open,
                                                std::string_view close) {
  // Positions counted from 1, 0 for absent, as the rule states them.
  const size_t openAt = text.find(open);
  const size_t closeAt = text.find(close);
  const long p = openAt == std::string_view::npos ? 0 : static_cast<long>(openAt) + 1;
  const long q = closeAt == std::string_view::npos ? 0 : static_cast<long>(closeAt) + 1;
  const long length = q - p - static_cast<long>(open.size());
  if (length < 0) return std::nullopt;
  // A length of 0 or more means the closing tag stands at or after `start`.
  const long start = p + static_cast<long>(open.size());  // 1-based
  return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
}

std::optional<std::string> readTag(std::string_view text, std::string_view key) {
  const std::string open = "<" + std::string(key) + ">";
  const std::string close = "</" + std::string(key) + ">";
  auto value = textBetweenTags(text, open, close);
  if (!value) return std::nullopt;
  return std::string(*value);
}

}  // namespace tamsel
