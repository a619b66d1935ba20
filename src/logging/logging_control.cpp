#include "logging/logging_control.h"

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {

std::optional<LoggingInterval> validateInterval(std::string_view delayText) {
  const std::optional<double> typed = numericValue(delayText);
  if (!typed) return std::nullopt;
  LoggingInterval interval{std::string(delayText)};
  double seconds = *typed;
  if (seconds > 600) {
    seconds = 600;
    interval.delayText = "600";
  }
  if (seconds < 1) {
    seconds = 1;
    interval.delayText = "1";
  }
  interval.periodMs = static_cast<int>(roundDecimal(seconds * 1000, 0, Rounding::HalfToEven));
  return interval;
}

bool intervalNeedsCaution(std::string_view delayText) {
  return leadingNumber(delayText) < 10;
}

}  // namespace tamsel
