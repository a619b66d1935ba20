#pragma once
// The one rule by which configuration keys are read: "<Key>value</Key>".
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// The text between the first "<key>" and the first "</key>" of `text`, both
// found from the start, case-sensitive, nothing trimmed. With the opening
// tag absent the value runs from the tag's length (counted from 1) up to the
// closing tag, as files written by older tools rely on. nullopt when the
// closing tag is absent or stands before the opening tag's end.
std::optional<std::string> readTag(std::string_view text, std::string_view key);

// The same rule with explicit opening and closing tags, for frame fields.
std::optional<std::string_view> textBetweenTags(std::string_view text, std::string_view open,
                                                std::string_view close);

}  // namespace tamsel
