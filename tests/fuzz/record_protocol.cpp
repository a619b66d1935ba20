// A day file's line, any bytes at all, turned into a line for the database:
// whatever it holds, a line that goes out is one protocol line whose fields
// are plain numbers, or the day file's line is left out.
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "tsdb/line_protocol.h"

using namespace tamsel;

namespace {

bool isNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto record = parseRecordLine(fuzz::bytes(data, size));
  if (!record) return 0;
  fuzz::check(record->minuteOfDay >= 0 && record->minuteOfDay < 24 * 60, "a minute of the day");
  for (const std::string* field : {&record->volts, &record->amps, &record->watts, &record->rpm,
                                   &record->wind, &record->wattHours}) {
    fuzz::check(isNumber(*field), "each field is a number");
  }
  const std::string line = protocolLine(escapedTag("a site, with=signs"), *record, 1700000000);
  fuzz::check(line.ends_with(" 1700000000\n"), "the line ends with its time");
  fuzz::check(line.find('\n') == line.size() - 1, "one line");
  fuzz::check(line.find('\r') == std::string::npos, "no carriage return");
  return 0;
}
