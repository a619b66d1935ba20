#include "platform/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tamsel {
namespace {

// |value| as up to 15 significant digits (trailing zeros dropped) and the
// power of ten of the first digit: value = 0.d1d2d3... x 10^(exponent + 1).
struct DecimalDigits {
  char digits[16];
  int count = 0;
  int exponent = 0;
};

DecimalDigits decimalDigits(double magnitude) {
  DecimalDigits d;
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  const char* p = buf;
  for (; p < res.ptr && *p != 'e'; ++p) {
    if (*p != '.') d.digits[d.count++] = *p;
  }
  d.exponent = std::atoi(p + 1);
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  if (d.count == 1 && d.digits[0] == '0') d.count = 0;
  return d;
}

// A non-negative decimal rounded to a fixed number of places: integer digits
// without leading zeros (empty for zero) and exactly `decimals` fraction digits.
struct Rounded {
  std::string integer;
  std::string fraction;
  bool isZero() const {
    return integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
  }
};

Rounded roundMagnitude(double magnitude, int decimals, Rounding rounding) {
  DecimalDigits d = decimalDigits(magnitude);
  const int integerDigits = d.exponent + 1;
  const int keep = integerDigits + decimals;  // significant digits that survive
  auto digitAt = [&](int index) -> int {
    return (index >= 0 && index < d.count) ? d.digits[index] - '0' : 0;
  };

  bool roundUp = false;
  if (keep < d.count && keep >= 0) {
    const int next = digitAt(keep);
    if (rounding == Rounding::HalfAwayFromZero) {
      roundUp = next >= 5;
    } else {
      bool restNonZero = false;
      for (int i = keep + 1; i < d.count; ++i) restNonZero |= d.digits[i] != '0';
      const int previous = keep > 0 ? digitAt(keep - 1) : 0;
      roundUp = next > 5 || (next == 5 && (restNonZero || previous % 2 == 1));
    }
  }

  // Lay out the kept digits at their places: integerDigits places before the
  // point (at least none) and `decimals` after.
  const int intPlaces = std::max(integerDigits, 0);
  std::string all(static_cast<size_t>(intPlaces + decimals), '0');
  for (int i = 0; i < std::min(keep, d.count); ++i) {
    const int place = intPlaces - integerDigits + i;  // index into `all`
    if (place >= 0 && place < static_cast<int>(all.size())) all[place] = d.digits[i];
  }
  if (roundUp) {
    int i = static_cast<int>(all.size()) - 1;
    for (; i >= 0; --i) {
      if (all[i] == '9') {
        all[i] = '0';
      } else {
        ++all[i];
        break;
      }
    }
    if (i < 0) all.insert(all.begin(), '1');
  }
  Rounded r;
  const size_t split = all.size() - static_cast<size_t>(decimals);
  r.integer = all.substr(0, split);
  r.fraction = all.substr(split);
  const size_t firstNonZero = r.integer.find_first_not_of('0');
  r.integer.erase(0, firstNonZero == std::string::npos ? r.integer.size() : firstNonZero);
  return r;
}

struct MaskShape {
  int minIntegerDigits = 0;  // "0" places before the point
  int decimals = 0;          // places after the point
  int minDecimals = 0;       // "0" places after the point; "#" places beyond are trimmed
  bool hasPoint = false;
};

MaskShape maskShape(std::string_view mask) {
  MaskShape s;
  for (char c : mask) {
    if (c == '.') {
      s.hasPoint = true;
    } else if (s.hasPoint) {
      ++s.decimals;
      if (c == '0') s.minDecimals = s.decimals;
    } else if (c == '0') {
      ++s.minIntegerDigits;
    }
  }
  return s;
}

}  // namespace

double roundDecimal(double value, int decimals, Rounding rounding) {
  if (!std::isfinite(value) || value == 0) return value;
  Rounded r = roundMagnitude(std::fabs(value), decimals, rounding);
  std::string text = (value < 0 ? "-" : "") + (r.integer.empty() ? "0" : r.integer);
  if (decimals > 0) text += "." + r.fraction;
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result == 0 ? 0.0 : result;
}

std::string formatMask(double value, std::string_view mask) {
  if (!std::isfinite(value)) value = 0;
  const MaskShape shape = maskShape(mask);
  Rounded r = roundMagnitude(std::fabs(value), shape.decimals, Rounding::HalfAwayFromZero);
  std::string text;
  if (value < 0 && !r.isZero()) text += '-';
  if (static_cast<int>(r.integer.size()) < shape.minIntegerDigits) {
    text.append(static_cast<size_t>(shape.minIntegerDigits) - r.integer.size(), '0');
  }
  text += r.integer;
  std::string fraction = r.fraction;
  while (static_cast<int>(fraction.size()) > shape.minDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }
  if (shape.hasPoint && (!fraction.empty() || shape.decimals == 0 || shape.minDecimals == 0)) {
    text += '.';
  }
  text += fraction;
  return text;
}

std::string plainNumberText(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";
  DecimalDigits d = decimalDigits(std::fabs(value));
  std::string text = value < 0 ? "-" : "";
  if (d.exponent >= 15 || d.exponent < -4) {
    text += d.digits[0];
    if (d.count > 1) text += "." + std::string(d.digits + 1, d.digits + d.count);
    char exp[8];
    const int e = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    auto res = std::to_chars(exp, exp + sizeof exp, e);
    if (e < 10) text += '0';
    text.append(exp, res.ptr);
    return text;
  }
  const int integerDigits = d.exponent + 1;
  if (integerDigits <= 0) {
    text += "0.";
    text.append(static_cast<size_t>(-integerDigits), '0');
    text.append(d.digits, d.digits + d.count);
    return text;
  }
  for (int i = 0; i < integerDigits; ++i) text += i < d.count ? d.digits[i] : '0';
  if (d.count > integerDigits) {
    text += '.';
    text.append(d.digits + integerDigits, d.digits + d.count);
  }
  return text;
}

}  // namespace tamsel
