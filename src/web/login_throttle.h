#pragma once
// The dashboard's password check: HTTP basic authentication (any user name,
// the configured password), compared in constant time, with every failed
// attempt from an address answered later than the one before. Attempts made
// side by side are answered one after the other, and while an address waits
// for a failure's answer every other answer to it waits as well, right ones
// included: neither many connections nor dropping slow answers guesses faster.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tamsel {

class LoginThrottle {
 public:
  explicit LoginThrottle(std::string password) : password(std::move(password)) {}

  bool required() const { return !password.empty(); }
  // Whether an Authorization header's value ("Basic <base64 of user:password>")
  // carries the password. Takes as long for any wrong password of a length.
  bool accepts(std::string_view authorization) const;

  // A failed attempt from `peer` at `nowMs`: how long to hold its answer.
  // 250 ms after the first, doubling up to 8 s, counted from when the
  // address's previous failure is answered (at most kLongestHoldMs ahead);
  // forgotten after 10 minutes without failures, or at the next success.
  int failed(const std::string& peer, std::int64_t nowMs);
  // How long any answer to `peer` is held at `nowMs`: until its last
  // failure is answered; 0 when it is not held.
  int holdMs(const std::string& peer, std::int64_t nowMs) const;
  void succeeded(const std::string& peer) { failures.erase(peer); }

  static constexpr int kFirstDelayMs = 250;
  static constexpr int kLongestDelayMs = 8000;
  static constexpr std::int64_t kLongestHoldMs = 60'000;
  static constexpr std::int64_t kForgetMs = 10 * 60 * 1000;
  static constexpr size_t kMostPeers = 1024;  // remembered at once

 private:
  struct Failures {
    int count = 0;
    std::int64_t lastMs = 0;
    std::int64_t answeredAtMs = 0;  // when the last failure's answer goes
  };
  std::string password;
  std::map<std::string, Failures> failures;
};

// The bytes a base64 text stands for; empty for text that is not base64.
std::string base64Decoded(std::string_view text);

}  // namespace tamsel
