#include "config/config_file.h"

#include <algorithm>

namespace tamsel {

bool KeysRead::has(std::string_view key) const {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string configLines(const ConfigLayout& layout, const std::vector<std::string>& keyLines) {
  std::string text(layout.heading);
  text.append(kLineEnd);
  for (int i = 0; i < layout.emptyLinesAfterHeading; ++i) text.append(kLineEnd);
  for (const std::string& line : keyLines) text.append(line).append(kLineEnd);
  for (int i = 0; i < layout.emptyLinesAfterKeys; ++i) text.append(kLineEnd);
  return text;
}

}  // namespace tamsel
