#pragma once
// The strict check of a request's head (request line and headers) made on
// the raw bytes before the HTTP server parses them. Every request the
// dashboard answers is a bodiless GET or HEAD, so anything a proxy in front
// and the server behind could read two ways (two lengths, a length and
// chunks, folded or oddly spaced headers, no Host, a body at all) is
// refused rather than guessed at, and a protocol switch is never offered.
#include <cstddef>
#include <string>
#include <string_view>

namespace tamsel {

enum class HeadVerdict {
  Incomplete,  // no blank line yet, and nothing wrong so far
  Good,
  Bad,
};

struct HeadCheck {
  HeadVerdict verdict = HeadVerdict::Incomplete;
  size_t length = 0;        // Good: bytes up to and including the blank line
  std::string host;         // Good: the Host header's value
  bool closeAfter = false;  // Good: the client asked to close after the answer
  std::string problem;      // Bad: what is wrong, for the answer's text
};

// Checks the first request in `bytes`; what follows it is not looked at.
HeadCheck checkRequestHead(std::string_view bytes);

// Whether `host` (a Host header's value) names this machine's loopback
// (127.0.0.1, localhost, [::1]) or `servedAddress`, with or without a port.
bool isOwnHost(std::string_view host, std::string_view servedAddress);

}  // namespace tamsel
