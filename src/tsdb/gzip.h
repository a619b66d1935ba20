#pragma once
// A request body squeezed for Content-Encoding: gzip.
#include <string>
#include <string_view>

namespace tamsel {

// The gzip form of `text`; empty when zlib cannot make it (then send it plain).
std::string gzipped(std::string_view text);

}  // namespace tamsel
