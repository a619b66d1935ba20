#include "setup/calibration_readout.h"

#include <cmath>

#include "platform/number_format.h"
#include "platform/numeric_text.h"
#include "platform/tag_reader.h"
#include "telemetry/frame_assembler.h"

namespace tamsel {
namespace {

std::string field(std::string_view frame, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  if (frame.find(open) == std::string_view::npos) return {};
  const std::optional<std::string_view> value = textBetweenTags(frame, open, close);
  if (!value) return {};
  return isNumeric(*value) ? std::string(*value) : "0";
}

// An empty or unusable field counts as 0.
double count(const std::string& raw) {
  return numericValue(raw).value_or(0);
}

// A divisor the read-out may use: a number that `usable` accepts.
template <class Usable>
std::optional<double> divisor(std::string_view typed, Usable usable) {
  const std::optional<double> value = numericValue(typed);
  if (!value || !usable(*value)) return std::nullopt;
  return value;
}

bool positive(double value) {
  return value > 0;
}

// A result that is no number (an overflowing count, say) leaves its label as it was.
std::optional<std::string> shown(double value, std::string_view mask, std::string_view unit) {
  if (!std::isfinite(value)) return std::nullopt;
  return formatMask(value, mask) + std::string(unit);
}

}  // namespace

std::optional<std::string> CalibrationReceiver::append(std::string_view text) {
  buffer.append(text);
  hasOpen = hasOpen || text.find('[') != std::string_view::npos;
  hasClose = hasClose || text.find(']') != std::string_view::npos;
  if (hasOpen && hasClose) {
    std::string frame = std::move(buffer);
    dropPending();
    return frame;
  }
  if (buffer.size() > kMaxRxBuffer) {
    boundRxBuffer(buffer);
    hasOpen = buffer.find('[') != std::string::npos;
    hasClose = buffer.find(']') != std::string::npos;
  }
  return std::nullopt;
}

void CalibrationReceiver::dropPending() {
  buffer.clear();
  hasOpen = hasClose = false;
}

RawFields rawFields(std::string_view frame) {
  return {field(frame, "V"), field(frame, "I"), field(frame, "R"), field(frame, "S")};
}

Readout calibrationReadout(const RawFields& raw, const Divisors& d, double& windSpeed) {
  const double rawV = count(raw.V), rawI = count(raw.I), rawR = count(raw.R), rawS = count(raw.S);
  double rpm = 1;
  if (auto pulses = divisor(d.PulseDivider, positive)) rpm = rawR / *pulses * 60;
  if (auto pulses = divisor(d.Pulse2Divider, positive)) {
    if (const double speed = rawS / *pulses; std::isfinite(speed)) windSpeed = speed;
  }
  Readout out;
  out.txtBattV = formatMask(rawV, "####0");
  out.txtShuntV = formatMask(rawI, "####0");
  out.txtPulsess = raw.R;
  out.txtWindmillRPM = shown(rpm, "###0", " RPM");
  out.txtPulsess2 = raw.S;
  out.txtWindSpeed = formatMask(windSpeed, "##0.0") + " " + d.WSUnits;
  if (auto volts = divisor(d.BatteryVolts, positive)) {
    out.txtBattVadjusted = shown(rawV / *volts, "##0.00", " Volts");
  }
  const std::optional<double> offset = numericValue(d.VoltOffset);
  if (auto amps = divisor(d.BatteryCurrent, [](double v) { return v != 0; }); amps && offset) {
    out.txtBattAadjusted = shown((rawI - *offset) / *amps, "##0.00", " Amps");
  }
  return out;
}

}  // namespace tamsel
