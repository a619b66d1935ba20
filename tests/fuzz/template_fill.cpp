// A user's template.asp, any bytes at all, filled in as the status page.
#include "fuzz_check.h"
#include "logging/html_page.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::bytes(data, size);
  const AveragedValues values{"12.53", "3.2", "41", "350", 12};
  const std::string page = fillTemplate(text, values, 123.456789, {2010, 5, 23, 14, 5, 33});
  fuzz::check(page.ends_with("\r\n"), "the page ends with a line end");
  // Text without a "<" holds no placeholder and is copied unchanged.
  if (text.find('<') == std::string_view::npos) {
    fuzz::check(page.size() == text.size() + 2 && page.starts_with(text), "copied unchanged");
  }
  return 0;
}
