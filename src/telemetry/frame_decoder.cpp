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

// Where the first "<X>" and the first "</X>" of each field stand, found in
// one pass over the frame (the board sends several a second, the decoder
// should not walk the text ten times per frame).
struct FieldTags {
  static constexpr size_t kAbsent = std::string_view::npos;
  static constexpr char kNames[] = {'V', 'I', 'R', 'S', 'C'};
  size_t open[5] = {kAbsent, kAbsent, kAbsent, kAbsent, kAbsent};
  size_t close[5] = {kAbsent, kAbsent, kAbsent, kAbsent, kAbsent};

  static int indexOf(char name) {
    for (int i = 0; i < 5; ++i) {
      if (kNames[i] == name) return i;
    }
    return -1;
  }

  explicit FieldTags(std::string_view frame) {
    const size_t n = frame.size();
    for (size_t at = frame.find('<'); at != kAbsent; at = frame.find('<', at + 1)) {
      if (at + 2 < n && frame[at + 2] == '>') {
        const int i = indexOf(frame[at + 1]);
        if (i >= 0 && open[i] == kAbsent) open[i] = at;
      } else if (at + 3 < n && frame[at + 1] == '/' && frame[at + 3] == '>') {
        const int i = indexOf(frame[at + 2]);
        if (i >= 0 && close[i] == kAbsent) close[i] = at;
      }
    }
  }

  static std::string failure(const char* before, int i, const char* after) {
    std::string text(before);
    text += kNames[i];
    text += after;
    return text;
  }

  // A field's raw count; nullopt when either tag is missing (the frame is
  // dropped); a closing tag before the opening one is a failure.
  std::optional<double> read(std::string_view frame, int i) const {
    if (open[i] == kAbsent || close[i] == kAbsent) return std::nullopt;
    if (close[i] < open[i] + 3)
      throw DecodeFailure{failure("Invalid procedure call: </", i, "> first")};
    const double value = leadingNumber(frame.substr(open[i] + 3, close[i] - open[i] - 3));
    if (!std::isfinite(value)) throw DecodeFailure{failure("Overflow in field <", i, ">")};
    return value;
  }
};

double factor(const ScaleFactor& f) {
  if (!f.failure.empty()) throw DecodeFailure{f.failure};
  return f.value;
}

// Formats with `mask` and keeps the value the text shows.
void scaled(double value, const char* mask, std::string& text, double& shown) {
  if (!std::isfinite(value)) throw DecodeFailure{"Overflow"};
  text = formatMask(value, mask, shown);
}

void scaleReading(double rawV, double rawI, double rawR, double rawS, const Scale& s,
                  FrameResult& result) {
  Reading& r = result.reading;
  scaled(rawV / factor(s.voltDivider), "##0.00", r.volts, r.voltsValue);
  const double amps = (rawI - factor(s.voltOffset)) / factor(s.ampDivider);
  scaled(amps, "##0.00", r.amps, r.ampsValue);
  if (amps < 0) {
    r.amps.assign(1, '0');  // not = "0": g++ 12 warns falsely on that
    r.ampsValue = 0;
  }
  scaled(r.voltsValue * r.ampsValue, "####0.0", r.watts, r.wattsValue);
  result.powerScaled = true;
  scaled(rawR / factor(s.rpmDivider) * 60, "##0.0", r.rpm, r.rpmValue);
  // Held as a number only: the value its one-decimal text would show.
  const double wind = rawS / factor(s.wsDivider);
  if (!std::isfinite(wind)) throw DecodeFailure{"Overflow"};
  r.windSpeed = roundDecimal(wind, 1, Rounding::HalfAwayFromZero);
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

FrameResult decodeFrame(std::string_view frame, const Scale& scale, const Reading& current) {
  FrameResult result;
  result.reading = current;
  try {
    const FieldTags tags(frame);
    auto rawV = tags.read(frame, 0);
    if (!rawV || *rawV == 0) return result;
    auto rawI = tags.read(frame, 1);
    if (!rawI) return result;
    auto rawR = tags.read(frame, 2);
    if (!rawR) return result;
    auto rawS = tags.read(frame, 3);
    if (!rawS) return result;
    auto checksum = tags.read(frame, 4);
    if (!checksum) return result;
    const double frameChecksum = roundDecimal(*checksum, 0, Rounding::HalfToEven);
    if (!(frameChecksum >= -32768 && frameChecksum <= 32767)) {
      throw DecodeFailure{"Overflow: checksum outside the 16-bit range"};
    }
    result.checksumMismatch = frameChecksum != *rawV + *rawI + *rawR + *rawS;
    scaleReading(*rawV, *rawI, *rawR, *rawS, scale, result);
    result.status = FrameStatus::Decoded;
  } catch (const DecodeFailure& failure) {
    result.status = FrameStatus::Failed;
    result.failure = failure.description;
  }
  return result;
}

}  // namespace tamsel
