#include "logging/averaging.h"

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {

TickAverage averageOrRepeat(const IntervalSums& sums, LastValues& last) {
  // The last values were formatted with the very masks below, so repeating
  // them as they stand is the same as formatting them again.
  if (sums.frameCount == 0) return {last, true};

  const double n = sums.frameCount;
  AveragedValues v;
  v.volts = formatMask(sums.volts / n, "##0.00");
  v.amps = formatMask(sums.amps / n, "##0.0");
  v.watts = formatMask(sums.watts / n, "####0");
  v.rpm = formatMask(sums.rpm / n, "###0");
  v.windSpeed = numericValue(formatMask(sums.windSpeed / n, "###0")).value_or(0);
  last = v;
  return {v, false};
}

}  // namespace tamsel
