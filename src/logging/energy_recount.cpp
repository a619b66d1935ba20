#include "logging/energy_recount.h"

#include <cmath>

#include "logging/record_fields.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {

double recountWattHours(std::string_view logText, double delaySeconds) {
  double total = 0;
  // A record torn by a power cut is skipped: its watts may be cut short
  // ("41" of "412.0") and would count a wrong amount; its interval is lost.
  forEachLine(logText, [&](std::string_view line) {
    if (!isWholeRecord(line)) return;
    const auto watts = recordField(line, RecordField::Watts);
    if (!watts) return;
    const double w = leadingNumber(*watts);
    if (!std::isfinite(w)) return;  // a mangled "1e999" must not make the day infinite
    total += roundDecimal(w / 3600 * delaySeconds, 2, Rounding::HalfToEven);
  });
  return total;
}

}  // namespace tamsel
