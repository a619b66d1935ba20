#include "platform/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

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
  // to_chars does not terminate the text: read the exponent within it.
  std::from_chars(p + 1 + (p[1] == '+'), res.ptr, d.exponent);
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  if (d.count == 1 && d.digits[0] == '0') d.count = 0;
  return d;
}

// A non-negative decimal rounded to a fixed number of places, laid out in a
// stack buffer: `integerCount` integer digits without leading zeros (none for
// zero) followed by exactly `decimals` fraction digits.
// Up to 309 integer digits (the largest double) and this many decimals fit
// the digit buffer below; no mask or rounding of ours comes near it.
constexpr int kMaxDecimals = 60;

struct Rounded {
  char digits[400];
  int integerCount = 0;
  int decimals = 0;

  const char* integer() const { return digits; }
  const char* fraction() const { return digits + integerCount; }
  bool isZero() const {
    for (int i = 0; i < integerCount + decimals; ++i) {
      if (digits[i] != '0') return false;
    }
    return true;
  }
};

void roundMagnitude(double magnitude, int decimals, Rounding rounding, Rounded& r) {
  DecimalDigits d = decimalDigits(magnitude);
  if (d.count == 0) d.exponent = 0;
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

  // Slot 0 is spare room for a carry out of the leftmost digit.
  char* all = r.digits + 1;
  const int intPlaces = std::max(integerDigits, 0);
  const int size = intPlaces + decimals;
  std::memset(all, '0', static_cast<size_t>(size));
  for (int i = 0; i < std::min(keep, d.count); ++i) {
    const int place = intPlaces - integerDigits + i;
    if (place >= 0 && place < size) all[place] = d.digits[i];
  }
  int integerCount = intPlaces;
  if (roundUp) {
    int i = size - 1;
    for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
    if (i >= 0) {
      ++all[i];
    } else {
      --all;
      all[0] = '1';
      ++integerCount;
    }
  }
  int skip = 0;
  while (skip < integerCount && all[skip] == '0') ++skip;
  r.integerCount = integerCount - skip;
  r.decimals = decimals;
  std::memmove(r.digits, all + skip, static_cast<size_t>(r.integerCount + decimals));
}

// The value of rounded digits. Integer / power of ten is one correctly rounded
// division while both are exact, which is what parsing the text would give.
double shownValue(const Rounded& r, bool negative) {
  const int count = r.integerCount + r.decimals;
  double result;
  if (count <= 15 && r.decimals <= 22) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    long long whole = 0;
    for (int i = 0; i < count; ++i) whole = whole * 10 + (r.digits[i] - '0');
    result = static_cast<double>(whole) / kPowers[r.decimals];
  } else {
    char text[512];
    char* out = std::copy(r.integer(), r.integer() + r.integerCount, text);
    *out++ = '.';
    out = std::copy(r.fraction(), r.fraction() + r.decimals, out);
    *out++ = '0';
    std::from_chars(text, out, result);
  }
  return negative && result != 0 ? -result : result;
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
  if (!std::isfinite(value) || value == 0 || decimals > kMaxDecimals) return value;
  Rounded r;
  roundMagnitude(std::fabs(value), decimals, rounding, r);
  return shownValue(r, value < 0);
}

std::string formatMask(double value, std::string_view mask) {
  double shown;
  return formatMask(value, mask, shown);
}

std::string formatMask(double value, std::string_view mask, double& shown) {
  if (!std::isfinite(value)) value = 0;
  const MaskShape shape = maskShape(mask);
  Rounded r;
  roundMagnitude(std::fabs(value), std::min(shape.decimals, kMaxDecimals),
                 Rounding::HalfAwayFromZero, r);
  std::string text;
  if (value < 0 && !r.isZero()) text += '-';
  if (r.integerCount < shape.minIntegerDigits) {
    text.append(static_cast<size_t>(shape.minIntegerDigits - r.integerCount), '0');
  }
  text.append(r.integer(), static_cast<size_t>(r.integerCount));
  int fractionCount = r.decimals;
  while (fractionCount > shape.minDecimals && r.fraction()[fractionCount - 1] == '0') {
    --fractionCount;
  }
  if (shape.hasPoint) text += '.';
  text.append(r.fraction(), static_cast<size_t>(fractionCount));
  shown = shownValue(r, value < 0);
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
