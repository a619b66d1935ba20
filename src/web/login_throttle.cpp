#include "web/login_throttle.h"

#include <algorithm>
#include <cctype>

namespace tamsel {
namespace {

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// Every byte of the longer text is looked at, whatever differs first.
bool sameInConstantTime(std::string_view given, std::string_view expected) {
  const size_t length = std::max(given.size(), expected.size());
  unsigned difference = given.size() == expected.size() ? 0 : 1;
  for (size_t i = 0; i < length; ++i) {
    const auto a = static_cast<unsigned char>(i < given.size() ? given[i] : 0);
    const auto b = static_cast<unsigned char>(i < expected.size() ? expected[i] : 0);
    difference |= a ^ b;
  }
  return difference == 0;
}

}  // namespace

std::string base64Decoded(std::string_view text) {
  while (!text.empty() && text.back() == '=') text.remove_suffix(1);
  std::string bytes;
  unsigned buffer = 0;
  int bits = 0;
  for (const char c : text) {
    const int value = base64Value(c);
    if (value < 0) return {};
    buffer = (buffer << 6) | static_cast<unsigned>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((buffer >> bits) & 0xff);
    }
  }
  return bytes;
}

bool LoginThrottle::accepts(std::string_view authorization) const {
  constexpr std::string_view kScheme = "basic ";  // the scheme's name in any case
  if (authorization.size() < kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(authorization[i])) != kScheme[i]) return false;
  }
  const std::string credentials = base64Decoded(authorization.substr(kScheme.size()));
  const size_t colon = credentials.find(':');
  if (colon == std::string::npos) return false;
  return sameInConstantTime(std::string_view(credentials).substr(colon + 1), password);
}

int LoginThrottle::failed(const std::string& peer, std::int64_t nowMs) {
  std::erase_if(failures,
                [&](const auto& entry) { return nowMs - entry.second.lastMs > kForgetMs; });
  if (failures.size() >= kMostPeers && !failures.contains(peer)) {
    // Too many addresses at once: the oldest is forgotten for the newest.
    failures.erase(std::min_element(
        failures.begin(), failures.end(),
        [](const auto& a, const auto& b) { return a.second.lastMs < b.second.lastMs; }));
  }
  Failures& f = failures[peer];
  f.count = std::min(f.count + 1, 16);
  f.lastMs = nowMs;
  const std::int64_t delay = std::min<std::int64_t>(
      static_cast<std::int64_t>(kFirstDelayMs) << (f.count - 1), kLongestDelayMs);
  f.answeredAtMs = std::min(std::max(nowMs, f.answeredAtMs) + delay, nowMs + kLongestHoldMs);
  return static_cast<int>(f.answeredAtMs - nowMs);
}

int LoginThrottle::holdMs(const std::string& peer, std::int64_t nowMs) const {
  const auto found = failures.find(peer);
  if (found == failures.end()) return 0;
  return static_cast<int>(std::max<std::int64_t>(0, found->second.answeredAtMs - nowMs));
}

}  // namespace tamsel
