// Configuration text through the one tag rule. The first byte gives the
// length of the key (0 to 15), taken from the bytes after it; the rest is
// the text the key is read from.
#include "platform/tag_reader.h"

#include "fuzz_check.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view rest = fuzz::bytes(data + 1, size - 1);
  const size_t keyLength = std::min<size_t>(data[0] % 16, rest.size());
  const std::string_view key = rest.substr(0, keyLength);
  const std::string_view text = rest.substr(keyLength);
  if (auto value = readTag(text, key)) {
    fuzz::check(value->size() <= text.size(), "value no longer than the text");
    fuzz::check(text.find(*value) != std::string_view::npos, "value is part of the text");
  }
  return 0;
}
