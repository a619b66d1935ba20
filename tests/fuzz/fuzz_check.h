#pragma once
// Shared by the fuzz targets: an input as bytes, and a check that stops the
// run loudly, so the fuzzer keeps the input and the replay test fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tamsel::fuzz {

inline std::string_view bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline void check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

inline bool within(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

}  // namespace tamsel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
