// Received text, cut into reads, through the frame assembler and the
// decoder into the interval sums and a record line: nothing that arrives on
// the serial line may crash the program, grow the buffer past its bound or
// put a number that is not finite into a record.
#include <cmath>

#include "fuzz_check.h"
#include "logging/averaging.h"
#include "logging/record_line.h"
#include "telemetry/frame_assembler.h"
#include "telemetry/frame_decoder.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte says how the rest arrives: in reads of 1 to 64 bytes, and
  // with its top bit set the port is lost and regained before every read.
  const size_t readSize = 1 + data[0] % 64;
  const bool reconnects = data[0] & 0x80;
  std::string_view text = fuzz::bytes(data + 1, size - 1);

  static const Scale scale = scaleFrom({"51.2", "10", "15", "2", "0.5"});
  FrameAssembler assembler;
  Reading reading;
  IntervalSums sums;
  while (!text.empty()) {
    if (reconnects) assembler.dropPending();
    assembler.append(text.substr(0, readSize));
    text.remove_prefix(std::min(readSize, text.size()));
    assembler.takeFrames([&](std::string_view frame) {
      fuzz::check(frame.size() <= kMaxRxBuffer, "frame within the bound");
      const FrameResult result = decodeFrame(frame, scale, reading);
      if (result.status != FrameStatus::Decoded) return;
      reading = result.reading;
      for (double v : {reading.voltsValue, reading.ampsValue, reading.wattsValue, reading.rpmValue,
                       reading.windSpeed}) {
        fuzz::check(std::isfinite(v), "decoded values are finite");
      }
      (void)sums.add(reading.voltsValue, reading.ampsValue, reading.wattsValue, reading.rpmValue,
                     reading.windSpeed);
    });
    fuzz::check(assembler.rxBuffer().size() <= kMaxRxBuffer, "buffer bounded");
  }
  // The masks would print an infinite average as 0, so look before them.
  for (double sum : {sums.volts, sums.amps, sums.watts, sums.rpm, sums.windSpeed}) {
    fuzz::check(std::isfinite(sum), "interval sums are finite");
  }
  LastValues last;
  const std::string line =
      recordLine({2010, 5, 23, 14, 5, 0}, averageOrRepeat(sums, last).values, 0);
  fuzz::check(line.ends_with("Wh"), "a whole record");
  return 0;
}
