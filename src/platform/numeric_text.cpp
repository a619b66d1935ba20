#include "platform/numeric_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tamsel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses the canonical form built by the readers below; from_chars takes no "+".
double parseCanonical(const std::string& text) {
  double value = 0;
  const char* begin = text.data();
  if (!text.empty() && text[0] == '+') ++begin;
  auto res = std::from_chars(begin, text.data() + text.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large: keep the sign and magnitude class so callers see an overflow.
    const bool negative = !text.empty() && text[0] == '-';
    const bool tiny = text.find("e-") != std::string::npos;
    if (tiny) return 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

}  // namespace

std::optional<double> numericValue(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < n && isBlank(text[i])) ++i;
  size_t end = n;
  while (end > i && isBlank(text[end - 1])) --end;
  if (i == end) return std::nullopt;

  std::string canonical;
  if (text[i] == '+' || text[i] == '-') canonical += text[i++];
  canonical += '0';  // so ".5" and "-.5" parse
  bool digits = false;
  bool point = false;
  for (; i < end && (isDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      if (point) return std::nullopt;
      point = true;
    } else {
      digits = true;
    }
    canonical += text[i];
  }
  if (!digits) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    canonical += 'e';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
    bool expDigits = false;
    for (; i < end && isDigit(text[i]); ++i) {
      expDigits = true;
      canonical += text[i];
    }
    if (!expDigits) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  return parseCanonical(canonical);
}

double leadingNumber(std::string_view text) {
  std::string canonical;
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  };
  skipBlanks();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') canonical += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  canonical += '0';  // so ".5" and "-.5" parse
  for (;; ++i) {
    skipBlanks();
    if (i >= n) break;
    const char c = text[i];
    if (isDigit(c)) {
      digits = true;
      canonical += c;
    } else if (c == '.' && !point) {
      point = true;
      canonical += c;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::string exponent = "e";
    size_t j = i + 1;
    auto skip = [&] {
      while (j < n && (text[j] == ' ' || text[j] == '\t' || text[j] == '\n')) ++j;
    };
    skip();
    if (j < n && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool expDigits = false;
    for (;; ++j) {
      skip();
      if (j >= n || !isDigit(text[j])) break;
      expDigits = true;
      exponent += text[j];
    }
    if (expDigits) canonical += exponent;
  }
  if (canonical.back() == '.') canonical.pop_back();
  return parseCanonical(canonical);
}

std::optional<bool> optionValue(std::string_view text) {
  auto value = numericValue(text);
  if (!value) return std::nullopt;
  return *value == 1.0;
}

}  // namespace tamsel
