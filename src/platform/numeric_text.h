#pragma once
// Reading numbers out of text typed by users, stored in files or sent by the board.
#include <optional>
#include <string_view>

namespace tamsel {

// The whole text, blanks around it allowed, is one decimal number: optional
// sign, digits with at most one ".", optional exponent. Empty text, letters,
// "1,5" or "12abc" are not numbers.
std::optional<double> numericValue(std::string_view text);
inline bool isNumeric(std::string_view text) {
  return numericValue(text).has_value();
}

// The value of the longest leading run that forms a decimal number, with
// blanks, tabs and line feeds anywhere skipped ("1 2" reads 12); 0 when there
// is none. Huge exponents give an infinite value, which callers must treat as
// an overflow.
double leadingNumber(std::string_view text);

// The text without the blanks, tabs and line ends around it.
std::string_view trimmedText(std::string_view text);

// The value when the whole text (blanks around it allowed) is a whole number
// from `lowest` to `highest`; nullopt otherwise.
std::optional<int> wholeNumberIn(std::string_view text, int lowest, int highest);

// An option value is on when it is the number 1; nullopt when it is no number.
std::optional<bool> optionValue(std::string_view text);

}  // namespace tamsel
