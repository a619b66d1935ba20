#pragma once
#include <optional>
#include <string>
#include <utility>

namespace tamsel {

// Success, or the reason an operation at the program's edge failed, in the
// system's words where it gives some. Callers decide how to report it, and
// must look: dropping a failure on the floor is a compile error.
struct [[nodiscard]] Status {
  bool ok = true;
  std::string error;

  explicit operator bool() const { return ok; }
  static Status failure(std::string reason) { return {false, std::move(reason)}; }
};

// A value, or the reason it could not be had: the same shape as Status for
// operations that produce something.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Status failed) : error_(std::move(failed.error)) {}

  explicit operator bool() const { return value_.has_value(); }
  const T& operator*() const& { return *value_; }
  T& operator*() & { return *value_; }
  T&& operator*() && { return std::move(*value_); }
  const T* operator->() const { return &*value_; }
  const std::string& error() const { return error_; }
  T valueOr(T fallback) const& { return value_ ? *value_ : std::move(fallback); }
  // The failure as a Status, to hand up unchanged.
  Status status() const { return value_ ? Status{} : Status::failure(error_); }

 private:
  std::optional<T> value_;
  std::string error_;
};

}  // namespace tamsel
