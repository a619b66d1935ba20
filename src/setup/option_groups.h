#pragma once
// The setup window's option groups: which prog.cfg value each one holds, its
// options, and which option a stored value selects.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/program_config.h"

namespace tamsel {

struct OptionGroup {
  std::string_view title;                // the frame's caption
  std::string ProgramConfig::*value;     // the value the selected option gives
  std::vector<std::string_view> values;  // the options' captions, which are their values
};

// In the order the window reads and saves them: SV, MA, BR, MR, MP.
const std::vector<OptionGroup>& optionGroups();

// The option whose value equals the stored value as a number; nullopt when
// none does (text that is no number matches nothing), and the group then
// keeps the selection it had.
std::optional<size_t> matchingOption(std::string_view stored,
                                     const std::vector<std::string_view>& values);

}  // namespace tamsel
