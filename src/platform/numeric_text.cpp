#include "platform/numeric_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tamsel {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

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

namespace {

// Collects the characters of a number; short numbers (all real ones) stay on
// the stack, absurdly long runs of digits spill to the heap.
class NumberText {
 public:
  void push(char c) {
    if (size_ < sizeof small_) {
      small_[size_++] = c;
      return;
    }
    if (large_.empty()) large_.assign(small_, size_);
    large_ += c;
    ++size_;
  }
  void pop() {
    --size_;
    if (!large_.empty()) large_.pop_back();
  }
  char back() const { return large_.empty() ? small_[size_ - 1] : large_.back(); }
  size_t size() const { return size_; }
  double parse() const {
    const char* begin = large_.empty() ? small_ : large_.data();
    double value = 0;
    auto res = std::from_chars(begin, begin + size_, value);
    if (res.ec == std::errc::result_out_of_range) {
      return parseCanonical(std::string(begin, size_));
    }
    return value;
  }

 private:
  char small_[64];
  size_t size_ = 0;
  std::string large_;
};

bool isSkipped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

}  // namespace

double leadingNumber(std::string_view text) {
  // The board sends plain counts: read those without the general machinery.
  if (!text.empty() && text.size() <= 15) {
    long long whole = 0;
    size_t i = 0;
    while (i < text.size() && isDigit(text[i])) whole = whole * 10 + (text[i++] - '0');
    if (i == text.size()) return static_cast<double>(whole);
  }
  NumberText number;
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&](size_t& at) {
    while (at < n && isSkipped(text[at])) ++at;
  };
  skipBlanks(i);
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number.push('-');
    ++i;
  }
  number.push('0');  // so ".5" and "-.5" parse
  bool digits = false;
  bool point = false;
  for (;; ++i) {
    skipBlanks(i);
    if (i >= n) break;
    const char c = text[i];
    if (isDigit(c)) {
      digits = true;
      number.push(c);
    } else if (c == '.' && !point) {
      point = true;
      number.push(c);
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (number.back() == '.') number.pop();
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    const size_t mantissaSize = number.size();
    number.push('e');
    skipBlanks(j);
    if (j < n && (text[j] == '+' || text[j] == '-')) number.push(text[j++]);
    bool expDigits = false;
    for (;; ++j) {
      skipBlanks(j);
      if (j >= n || !isDigit(text[j])) break;
      expDigits = true;
      number.push(text[j]);
    }
    if (!expDigits) {
      while (number.size() > mantissaSize) number.pop();
    }
  }
  return number.parse();
}

std::optional<bool> optionValue(std::string_view text) {
  auto value = numericValue(text);
  if (!value) return std::nullopt;
  return *value == 1.0;
}

std::string_view trimmedText(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<int> wholeNumberIn(std::string_view text, int lowest, int highest) {
  const std::optional<double> value = numericValue(text);
  if (!value || *value != std::floor(*value) || *value < lowest || *value > highest) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace tamsel
