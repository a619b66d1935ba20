#include "platform/tag_reader.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

// The configuration tests read tags anywhere, blanks kept; these are the edges.
TEST(TagReader, FindsTheFirstTagAndReadsUpToAClosingTagWithoutAnOpeningOne) {
  struct Case {
    const char* text;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"<Port>1</Port><Port>2</Port>", "Port", "1"},
      {"<port>1</port>", "Port", std::nullopt},
      {"</Port>1<Port>", "Port", std::nullopt},
      // Opening tag absent: from position L (1-based) up to the closing tag.
      {"abcdefghij</Port>", "Port", "fghij"},
      {"abc</Port>", "Port", std::nullopt},
      {"abcde</Port>", "Port", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readTag(c.text, c.key), c.value) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace tamsel
