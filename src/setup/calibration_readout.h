#pragma once
// What the calibration window makes of each frame. It is more lenient than the
// main window's decoder: no checksum, nothing rejected, a zero volts count
// accepted, amps not held at zero; a field it cannot use counts as 0 and a
// divisor it cannot use leaves that step's result as it was.
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// Received text becomes a frame as soon as it holds a "[" and a "]", in
// either order: then the whole of it is the frame and the buffer is emptied.
// Text that never completes a frame is bounded as the main window's is.
class CalibrationReceiver {
 public:
  std::optional<std::string> append(std::string_view text);
  // A lost or reopened port starts clean, so a frame the unplug cut off
  // never mixes into the next one.
  void dropPending();
  const std::string& rxBuffer() const { return buffer; }

 private:
  std::string buffer;
  // Whether the buffer holds each bracket, so a read looks only at itself.
  bool hasOpen = false;
  bool hasClose = false;
};

// One frame's raw fields as text: as received when numeric, "0" when the
// field is there but not a number, empty when its tags are missing.
struct RawFields {
  std::string V, I, R, S;
};
RawFields rawFields(std::string_view frame);

// The four divisor boxes as typed, the stored offset and the unit's label.
struct Divisors {
  std::string BatteryVolts;
  std::string BatteryCurrent;
  std::string PulseDivider;
  std::string Pulse2Divider;
  std::string VoltOffset;
  std::string WSUnits;
};

// The texts of the read-out labels for one frame. An empty optional leaves
// the label as it was.
struct Readout {
  std::string txtBattV;
  std::string txtShuntV;
  std::string txtPulsess;
  std::string txtPulsess2;
  std::string txtWindSpeed;
  std::optional<std::string> txtWindmillRPM;
  std::optional<std::string> txtBattVadjusted;
  std::optional<std::string> txtBattAadjusted;
};

// `windSpeed` is the window's last wind speed: kept when the wind divisor
// cannot be used, replaced when it can.
Readout calibrationReadout(const RawFields& raw, const Divisors& divisors, double& windSpeed);

}  // namespace tamsel
