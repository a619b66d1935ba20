#include "tsdb/line_protocol.h"

#include <cctype>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

// The text between <tag> and </tag>, searching from `from`, which moves past it.
std::optional<std::string_view> between(std::string_view line, std::string_view tag, size_t& from) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  const size_t start = line.find(open, from);
  if (start == std::string_view::npos) return std::nullopt;
  const size_t end = line.find(close, start + open.size());
  if (end == std::string_view::npos) return std::nullopt;
  from = end + close.size();
  return line.substr(start + open.size(), end - start - open.size());
}

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A plain decimal numeral the protocol takes as a float: sign, digits, one
// point; no exponent, blank or "Inf".
bool isPlainNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  bool digits = false;
  bool point = false;
  for (char c : text) {
    if (isDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// The masks write no digit before the point below 1 (".0Wh", ".53"), which
// VictoriaMetrics reads as 0: the same number with its "0" before the point.
std::string numeral(std::string_view text) {
  const size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
  std::string out(text);
  if (out.size() > sign && out[sign] == '.') out.insert(sign, "0");
  return out;
}

std::optional<int> minuteOfDay(std::string_view hhmm) {
  if (hhmm.size() != 5 || hhmm[2] != ':') return std::nullopt;
  for (size_t i : {0, 1, 3, 4}) {
    if (!isDigit(hhmm[i])) return std::nullopt;
  }
  const int hour = (hhmm[0] - '0') * 10 + (hhmm[1] - '0');
  const int minute = (hhmm[3] - '0') * 10 + (hhmm[4] - '0');
  if (hour > 23 || minute > 59) return std::nullopt;
  return hour * 60 + minute;
}

}  // namespace

std::optional<RecordText> parseRecordLine(std::string_view line) {
  size_t at = 0;
  const auto time = between(line, "T", at);
  if (!time) return std::nullopt;
  const auto minute = minuteOfDay(*time);
  if (!minute) return std::nullopt;
  RecordText record;
  record.minuteOfDay = *minute;
  const struct {
    std::string_view tag;
    std::string RecordText::*field;
  } fields[] = {{"V", &RecordText::volts},
                {"I", &RecordText::amps},
                {"W", &RecordText::watts},
                {"R", &RecordText::rpm},
                {"S", &RecordText::wind}};
  for (const auto& f : fields) {
    const auto value = between(line, f.tag, at);
    if (!value || !isPlainNumber(trimmedText(*value))) return std::nullopt;
    record.*f.field = numeral(trimmedText(*value));
  }
  // "<M></M>   123.4Wh": the day's watt-hours follow the mode.
  if (!between(line, "M", at)) return std::nullopt;
  std::string_view rest = trimmedText(line.substr(at));
  if (rest.size() < 2 || rest.substr(rest.size() - 2) != "Wh") return std::nullopt;
  rest = trimmedText(rest.substr(0, rest.size() - 2));
  if (!isPlainNumber(rest)) return std::nullopt;
  record.wattHours = numeral(rest);
  return record;
}

std::string escapedTag(std::string_view value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (char c : value) {
    if (c == ',' || c == '=' || c == ' ' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string protocolLine(std::string_view siteTag, const RecordText& record,
                         long long unixSeconds) {
  std::string line;
  line.reserve(96 + siteTag.size());
  line.append("tamsel,site=").append(siteTag);
  line.append(" volts=").append(record.volts);
  line.append(",amps=").append(record.amps);
  line.append(",watts=").append(record.watts);
  line.append(",rpm=").append(record.rpm);
  line.append(",wind=").append(record.wind);
  line.append(",wh=").append(record.wattHours);
  line.append(" ").append(std::to_string(unixSeconds)).append("\n");
  return line;
}

}  // namespace tamsel
