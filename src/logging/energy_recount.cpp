#include "logging/energy_recount.h"

#include <cmath>

#include "logging/record_fields.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {

double recountWattHours(std::string_view logText, double delaySeconds) {
  double total = 0;
  // Whatever follows the watts field does not matter: a line torn before
  // "</W>" has no watts to count, and one torn after it has them whole. New
  // records never continue a torn line, as every append starts a line of its own.
  forEachLine(logText, [&](std::string_view line) {
    const auto watts = recordField(line, RecordField::Watts);
    if (!watts) return;
    const double w = leadingNumber(*watts);
    const double added = roundDecimal(w / 3600 * delaySeconds, 2, Rounding::HalfToEven);
    // A mangled "1e999" (or a sum of absurd ones) must not make the day infinite.
    if (std::isfinite(total + added)) total += added;
  });
  return total;
}

}  // namespace tamsel
