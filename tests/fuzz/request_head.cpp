// The raw head of a request, as the dashboard's clients may send it: what
// passes is one whole head of CR LF lines naming a host, judged the same
// alone and when it arrives in pieces.
#include "web/request_head.h"

#include "fuzz_check.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::bytes(data, size);
  const HeadCheck check = checkRequestHead(bytes);
  // A head split across reads: no part of one that passes is refused.
  const HeadCheck half = checkRequestHead(bytes.substr(0, size / 2));
  fuzz::check(half.verdict != HeadVerdict::Bad || check.verdict == HeadVerdict::Bad,
              "a piece is refused only when the whole is");
  if (check.verdict != HeadVerdict::Good) return 0;
  fuzz::check(check.length >= 4 && check.length <= size, "a head within the input");
  const std::string_view head = bytes.substr(0, check.length);
  fuzz::check(head.find("\r\n\r\n") == check.length - 4, "ends at the first blank line");
  for (size_t i = 0; i < head.size(); ++i) {
    fuzz::check(head[i] != '\0', "no NUL");
    if (head[i] == '\n') fuzz::check(i > 0 && head[i - 1] == '\r', "lines end in CR LF");
  }
  fuzz::check(!check.host.empty(), "a host");
  const HeadCheck alone = checkRequestHead(head);
  fuzz::check(alone.verdict == HeadVerdict::Good && alone.length == check.length &&
                  alone.closeAfter == check.closeAfter && alone.host == check.host,
              "the head alone is judged the same");
  return 0;
}
