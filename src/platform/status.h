#pragma once
#include <string>

namespace tamsel {

// Success, or the reason an operation at the program's edge failed, in the
// system's words where it gives some. Callers decide how to report it.
struct Status {
  bool ok = true;
  std::string error;

  explicit operator bool() const { return ok; }
  static Status failure(std::string reason) { return {false, std::move(reason)}; }
};

}  // namespace tamsel
