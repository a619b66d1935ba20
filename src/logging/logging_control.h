#pragma once
// The logging interval typed into the `delay` box: its checks, its limits and
// the timer period it gives.
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

inline constexpr std::string_view kInvalidDelayMessage =
    "Invalid delay period, needs to be a number between 1 and 600";
inline constexpr std::string_view kShortIntervalCaution =
    "Caution Logging interval 2 short, Data Overflow may occur";

struct LoggingInterval {
  std::string delayText;  // what the box shows afterwards
  int periodMs = 1000;    // the logging timer's period
};

// A numeric text within 1 to 600 stays as typed ("2.5", "600"); above 600 it
// becomes "600", below 1 "1". The period is the value x 1000 rounded to a
// whole millisecond, ties to even. nullopt when the text is no number.
std::optional<LoggingInterval> validateInterval(std::string_view delayText);

// After each tick: an interval under 10 s (by the leading number of the box,
// 0 when it has none) gets kShortIntervalCaution on the message line.
bool intervalNeedsCaution(std::string_view delayText);

}  // namespace tamsel
