#include "setup/option_groups.h"

#include "platform/numeric_text.h"

namespace tamsel {

const std::vector<OptionGroup>& optionGroups() {
  static const std::vector<OptionGroup> groups = {
      {"System Voltage", &ProgramConfig::SV, {"12", "24", "48"}},
      {"Max System Amps", &ProgramConfig::MA, {"10", "20", "50"}},
      {"Baud rate", &ProgramConfig::BR, {"2400", "4800", "9600", "57600"}},
      {"Max RPM", &ProgramConfig::MR, {"200", "300", "400", "500", "600"}},
      {"Max Output Power", &ProgramConfig::MP, {"300", "500", "1000", "2000", "3000"}},
  };
  return groups;
}

std::optional<size_t> matchingOption(std::string_view stored,
                                     const std::vector<std::string_view>& values) {
  const std::optional<double> number = numericValue(stored);
  if (!number) return std::nullopt;
  std::optional<size_t> match;
  for (size_t i = 0; i < values.size(); ++i) {
    if (numericValue(values[i]) == number) match = i;
  }
  return match;
}

}  // namespace tamsel
