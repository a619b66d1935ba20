#include "telemetry/frame_decoder.h"

#include <cmath>
#include <optional>

#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// Raised inside the decoder and turned into a Failed result at its edge.
struct DecodeFailure {
  std::string description;
};

// A field's raw count; nullopt when either tag is missing (the frame is
// dropped); a closing tag before the opening one is a failure.
std::optional<double> readField(std::string_view frame, std::string_view open,
                                std::string_view close) {
  const size_t openAt = frame.find(open);
  const size_t closeAt = frame.find(close);
  if (openAt == std::string_view::npos || closeAt == std::string_view::npos) return std::nullopt;
  if (closeAt < openAt + open.size())
    throw DecodeFailure{"Invalid procedure call: " + std::string(close) + " before " +
                        std::string(open)};
  const double value =
      leadingNumber(frame.substr(openAt + open.size(), closeAt - openAt - open.size()));
  if (!std::isfinite(value)) throw DecodeFailure{"Overflow in field " + std::string(open)};
  return value;
}

double factor(const ScaleFactor& f) {
  if (!f.failure.empty()) throw DecodeFailure{f.failure};
  return f.value;
}

// Formats with `mask` and keeps the value the text shows.
void scaled(double value, const char* mask, std::string& text, double& shown) {
  if (!std::isfinite(value)) throw DecodeFailure{"Overflow"};
  text = formatMask(value, mask, shown);
}

void scaleReading(double rawV, double rawI, double rawR, double rawS, const Scale& s, Reading& r) {
  scaled(rawV / factor(s.voltDivider), "##0.00", r.volts, r.voltsValue);
  const double amps = (rawI - factor(s.voltOffset)) / factor(s.ampDivider);
  scaled(amps, "##0.00", r.amps, r.ampsValue);
  if (amps < 0) {
    r.amps = "0";
    r.ampsValue = 0;
  }
  scaled(r.voltsValue * r.ampsValue, "####0.0", r.watts, r.wattsValue);
  scaled(rawR / factor(s.rpmDivider) * 60, "##0.0", r.rpm, r.rpmValue);
  std::string wind;
  scaled(rawS / factor(s.wsDivider), "##0.0", wind, r.windSpeed);
}

ScaleFactor parseFactor(const std::string& text, const char* name, bool divider) {
  auto value = numericValue(text);
  if (!value) return {0, std::string("Type mismatch: ") + name + " is not a number"};
  if (divider && *value == 0) return {0, std::string("Division by zero: ") + name + " is 0"};
  return {*value, {}};
}

}  // namespace

Scale scaleFrom(const Calibration& c) {
  return {
      parseFactor(c.VoltDivider, "VoltDivider", true),
      parseFactor(c.VoltOffset, "VoltOffset", false), parseFactor(c.AmpDivider, "AmpDivider", true),
      parseFactor(c.RPMDivider, "RPMDivider", true), parseFactor(c.WSDivider, "WSDivider", true)};
}

FrameResult decodeFrame(std::string_view frame, const Scale& scale) {
  FrameResult result;
  try {
    auto rawV = readField(frame, "<V>", "</V>");
    if (!rawV || *rawV == 0) return result;
    auto rawI = readField(frame, "<I>", "</I>");
    if (!rawI) return result;
    auto rawR = readField(frame, "<R>", "</R>");
    if (!rawR) return result;
    auto rawS = readField(frame, "<S>", "</S>");
    if (!rawS) return result;
    auto checksum = readField(frame, "<C>", "</C>");
    if (!checksum) return result;
    const double frameChecksum = roundDecimal(*checksum, 0, Rounding::HalfToEven);
    if (!(frameChecksum >= -32768 && frameChecksum <= 32767)) {
      throw DecodeFailure{"Overflow: checksum outside the 16-bit range"};
    }
    result.checksumMismatch = frameChecksum != *rawV + *rawI + *rawR + *rawS;
    scaleReading(*rawV, *rawI, *rawR, *rawS, scale, result.reading);
    result.status = FrameStatus::Decoded;
  } catch (const DecodeFailure& failure) {
    result.status = FrameStatus::Failed;
    result.failure = failure.description;
  }
  return result;
}

}  // namespace tamsel
