// Received text through the calibration window's receiver and read-out, with
// divisors taken from the input too.
#include "setup/calibration_readout.h"

#include "fuzz_check.h"
#include "telemetry/frame_assembler.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest = fuzz::bytes(data, size);
  auto take = [&rest](size_t n) {
    const std::string_view part = rest.substr(0, std::min(n, rest.size()));
    rest.remove_prefix(part.size());
    return std::string(part);
  };
  Divisors divisors{take(6), take(6), take(6), take(6), take(6), take(4)};
  CalibrationReceiver receiver;
  double windSpeed = 0;
  while (!rest.empty()) {
    if (auto frame = receiver.append(take(1 + rest.size() / 3))) {
      const Readout readout = calibrationReadout(rawFields(*frame), divisors, windSpeed);
      fuzz::check(!readout.txtBattV.empty() && !readout.txtShuntV.empty(), "counts always shown");
    } else {
      fuzz::check(receiver.rxBuffer().size() <= kMaxRxBuffer, "waiting text stays bounded");
    }
  }
  return 0;
}
