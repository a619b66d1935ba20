#include "platform/json_text.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

using namespace std::string_view_literals;

TEST(JsonText, StringsEscapeWhatJsonRequiresAndNothingElse) {
  struct Case {
    std::string_view text;
    const char* latin1;  // jsonQuoted
    const char* utf8;    // jsonQuotedUtf8
  };
  const Case cases[] = {
      {"plain 12.5 V", R"("plain 12.5 V")", R"("plain 12.5 V")"},
      {"a\"b\\c/", R"("a\"b\\c/")", R"("a\"b\\c/")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")", R"("\b\f\n\r\t")"},
      {"\0\x01\x1f"sv, R"("\u0000\u0001\u001f")", R"("\u0000\u0001\u001f")"},
      // DEL is no control character to JSON.
      {"\x7f", "\"\x7f\"", "\"\x7f\""},
      // One byte a character becomes UTF-8; UTF-8 stays as it is.
      {"\xB0\x80\xFF", "\"\xC2\xB0\xC2\x80\xC3\xBF\"", "\"\xB0\x80\xFF\""},
      {"\xC2\xB0", "\"\xC3\x82\xC2\xB0\"", "\"\xC2\xB0\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jsonQuoted(c.text), c.latin1) << c.text;
    EXPECT_EQ(jsonQuotedUtf8(c.text), c.utf8) << c.text;
  }
}

}  // namespace
}  // namespace tamsel
