#include "logging/record_line.h"

#include <string_view>

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// The averaged texts are our own mask output, so they always read back.
std::string reformat(std::string_view averaged, std::string_view mask) {
  return formatMask(numericValue(averaged).value_or(0), mask);
}

}  // namespace

std::string recordLine(const LocalDateTime& time, const AveragedValues& values, double wattHours) {
  std::string line;
  line.reserve(96);
  line.append("<T>").append(hourMinute(time));
  line.append("</T><V>").append(reformat(values.volts, "##.00"));
  line.append("</V><I>").append(reformat(values.amps, "##0.0"));
  line.append("</I><W>").append(reformat(values.watts, "##0.0"));
  line.append("</W><R>").append(reformat(values.rpm, "###0"));
  line.append("</R><S>").append(formatMask(values.windSpeed, "##0"));
  line.append("</S><M>").append(kModeText);
  line.append("</M>   ").append(formatMask(wattHours, "######.0"));
  line.append("Wh");
  return line;
}

}  // namespace tamsel
