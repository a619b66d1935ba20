// A day's log file, as a power cut, another program or a user's editor may
// have left it, through the record field reader and the start-up recount.
#include <cmath>

#include "fuzz_check.h"
#include "logging/energy_recount.h"
#include "logging/record_fields.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::bytes(data, size);
  forEachLine(text, [&](std::string_view line) {
    fuzz::check(fuzz::within(line, text) && line.find("\r\n") == std::string_view::npos,
                "one line");
    for (RecordField field : {RecordField::Time, RecordField::Volts, RecordField::Amps,
                              RecordField::Watts, RecordField::Rpm, RecordField::WindSpeed}) {
      if (auto value = recordField(line, field))
        fuzz::check(fuzz::within(*value, line), "field in line");
    }
  });
  for (double delay : {1.0, 60.0, 3600.0}) {
    fuzz::check(std::isfinite(recountWattHours(text, delay)), "recount is finite");
  }
  return 0;
}
