#include "logging/html_page.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/number_format.h"

namespace tamsel {

std::string historyFileName(const LocalDateTime& date) {
  std::string name = "history" + shortDate(date) + ".txt";
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

std::string historyLine(const AveragedValues& values, std::string_view windUnits,
                        const LocalDateTime& time) {
  std::string line;
  line.append(values.volts).append("V\t\t");
  line.append(values.amps).append("A\t\t");
  line.append(values.watts).append("W\t\t");
  line.append(values.rpm).append("RPM\t\t");
  line.append(plainNumberText(values.windSpeed)).append(windUnits).append("\t\t");
  line.append(kModeText).append("\t\t");
  line.append(longTime(time));
  return line;
}

std::string replaceAll(std::string_view text, std::string_view placeholder,
                       std::string_view replacement) {
  // A skip-table search: markup is full of "<", which a search by the first
  // character would stop at again and again.
  const std::boyer_moore_horspool_searcher searcher(placeholder.begin(), placeholder.end());
  std::string out;
  out.reserve(text.size());
  auto from = text.begin();
  for (;;) {
    const auto at = std::search(from, text.end(), searcher);
    out.append(from, at);
    if (at == text.end()) break;
    out.append(replacement);
    from = at + static_cast<std::ptrdiff_t>(placeholder.size());
  }
  return out;
}

std::string fillTemplate(std::string_view templateText, const AveragedValues& values,
                         double wattHours, const LocalDateTime& time) {
  // In this order: a later placeholder that an earlier replacement happens to
  // complete ("<<MM>TT>" becomes "<TT>") stays as it then stands.
  const std::pair<std::string_view, std::string> replacements[] = {
      {"<VV>", values.volts},   {"<II>", values.amps},
      {"<WW>", values.watts},   {"<WH>", plainNumberText(wattHours)},
      {"<RR>", values.rpm},     {"<SS>", plainNumberText(values.windSpeed)},
      {"<TT>", longTime(time)}, {"<MM>", std::string(kModeText)},
  };
  std::string page(templateText);
  for (const auto& [placeholder, value] : replacements) page = replaceAll(page, placeholder, value);
  page.append("\r\n");
  return page;
}

}  // namespace tamsel
