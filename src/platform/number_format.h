#pragma once
// Number masks and number text, one byte per character.
//
// Every rounding here works on the number's 15-significant-digit decimal
// form, so 2.675 under "0.00" gives 2.68 as a user reading the value expects,
// not the 2.67 its binary neighbour would give.
#include <string>
#include <string_view>

namespace tamsel {

enum class Rounding { HalfAwayFromZero, HalfToEven };

// Rounds to `decimals` places (may be 0) on the decimal form.
double roundDecimal(double value, int decimals, Rounding rounding = Rounding::HalfAwayFromZero);

// Formats with a mask such as "##0.00": "0" a digit always shown, "#" a digit
// shown only when significant, "." the decimal point. Halves away from zero,
// no thousands separator, the integer part never cut, a leading "-" for a
// negative value that does not round to zero. Non-finite values give "0".
std::string formatMask(double value, std::string_view mask);

// The same text, and the number it shows (what reading the text back gives).
std::string formatMask(double value, std::string_view mask, double& shown);

// Shortest decimal text with at most 15 significant digits and no trailing
// zeros (12, 0.5, 123.456789); exponent form ("1E+16", "1E-05") only for
// magnitudes the fixed form would make unreadable.
std::string plainNumberText(double value);

}  // namespace tamsel
