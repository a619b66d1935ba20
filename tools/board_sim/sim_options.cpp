#include "sim_options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace sim {
namespace {

std::optional<std::uint64_t> wholeNumber(const std::string& text, std::uint64_t min,
                                         std::uint64_t max) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> decimal(const std::string& text, double min, double max) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value) || value < min ||
      value > max) {
    return std::nullopt;
  }
  return value;
}

using Setter = std::function<bool(SimOptions&, const std::string&)>;

template <typename T>
bool assign(T& target, const std::optional<T>& value) {
  if (value) target = *value;
  return value.has_value();
}

template <typename T>
bool assign(std::optional<T>& target, const std::optional<T>& value) {
  if (value) target = value;
  return value.has_value();
}

const std::map<std::string, Setter>& valueOptions() {
  static const std::map<std::string, Setter> table = {
      {"folder", [](SimOptions& o, const std::string& v) { return !(o.folder = v).empty(); }},
      {"port",
       [](SimOptions& o, const std::string& v) {
         auto n = wholeNumber(v, 1, 32767);
         if (n) o.port = static_cast<int>(*n);
         return n.has_value();
       }},
      {"rate",
       [](SimOptions& o, const std::string& v) {
         auto r = decimal(v, 0.001, 50000);
         return assign(o.rate, r);
       }},
      {"seed", [](SimOptions& o,
                  const std::string& v) { return assign(o.seed, wholeNumber(v, 0, UINT64_MAX)); }},
      {"frames",
       [](SimOptions& o, const std::string& v) {
         return assign(o.frames, wholeNumber(v, 1, UINT64_MAX));
       }},
      {"duration", [](SimOptions& o,
                      const std::string& v) { return assign(o.duration, decimal(v, 0.001, 1e9)); }},
      {"sent-log", [](SimOptions& o, const std::string& v) { return !(o.sentLog = v).empty(); }},
      {"bad-checksum-every",
       [](SimOptions& o, const std::string& v) {
         return assign(o.badChecksumEvery, wholeNumber(v, 1, UINT64_MAX));
       }},
      {"garbage-every",
       [](SimOptions& o, const std::string& v) {
         return assign(o.garbageEvery, wholeNumber(v, 1, UINT64_MAX));
       }},
      {"no-bracket-run",
       [](SimOptions& o, const std::string& v) {
         return assign(o.noBracketRun, wholeNumber(v, 1, 256u << 20));
       }},
      {"silence-after",
       [](SimOptions& o, const std::string& v) {
         return assign(o.silenceAfter, decimal(v, 0, 1e9));
       }},
      {"silence-for",
       [](SimOptions& o, const std::string& v) {
         return assign(o.silenceFor, decimal(v, 0.001, 1e9));
       }},
      {"low-volts", [](SimOptions& o,
                       const std::string& v) { return assign(o.lowVolts, decimal(v, 0.1, 100)); }},
      {"low-volts-after",
       [](SimOptions& o, const std::string& v) {
         return assign(o.lowVoltsAfter, decimal(v, 0, 1e9));
       }},
      {"low-volts-for",
       [](SimOptions& o, const std::string& v) {
         return assign(o.lowVoltsFor, decimal(v, 0.001, 1e9));
       }},
  };
  return table;
}

const std::map<std::string, bool SimOptions::*>& flagOptions() {
  static const std::map<std::string, bool SimOptions::*> table = {
      {"write-settings", &SimOptions::writeSettings},
      {"split", &SimOptions::split},
      {"pair", &SimOptions::pair},
      {"every-frame", &SimOptions::everyFrame},
  };
  return table;
}

ParsedOptions failure(std::string error) {
  return {std::nullopt, std::move(error), false};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  SimOptions options;
  for (size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--help" || arg == "-h") return {std::nullopt, "", true};
    if (arg.rfind("--", 0) != 0) return failure("unexpected argument: " + arg);
    std::string name = arg.substr(2);
    std::optional<std::string> value;
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (auto flag = flagOptions().find(name); flag != flagOptions().end()) {
      if (value) return failure("--" + name + " takes no value");
      options.*(flag->second) = true;
      continue;
    }
    auto setter = valueOptions().find(name);
    if (setter == valueOptions().end()) return failure("unknown option: --" + name);
    if (!value) {
      if (k + 1 >= args.size()) return failure("--" + name + " needs a value");
      value = args[++k];
    }
    if (!setter->second(options, *value)) return failure("bad value for --" + name + ": " + *value);
  }
  if (options.folder.empty()) return failure("--folder is required");
  if (options.silenceAfter.has_value() != (options.silenceFor > 0)) {
    return failure("--silence-after and --silence-for go together");
  }
  if (options.lowVolts.has_value() != options.lowVoltsAfter.has_value() ||
      options.lowVolts.has_value() != (options.lowVoltsFor > 0)) {
    return failure("--low-volts, --low-volts-after and --low-volts-for go together");
  }
  return {options, "", false};
}

bool silentAt(const SimOptions& o, double elapsed) {
  return o.silenceAfter && elapsed >= *o.silenceAfter && elapsed < *o.silenceAfter + o.silenceFor;
}

std::optional<double> lowVoltsAt(const SimOptions& o, double elapsed) {
  if (!o.lowVolts || elapsed < *o.lowVoltsAfter || elapsed >= *o.lowVoltsAfter + o.lowVoltsFor) {
    return std::nullopt;
  }
  return o.lowVolts;
}

std::string usageText() {
  return "usage: board_sim --folder DIR [--port N] [--rate FRAMES_PER_SECOND] [--seed N]\n"
         "                 [--frames N] [--duration SECONDS] [--write-settings] [--sent-log FILE]\n"
         "                 [--every-frame]\n"
         "                 [--bad-checksum-every N] [--split] [--pair] [--garbage-every N]\n"
         "                 [--no-bracket-run BYTES] [--silence-after SECONDS --silence-for "
         "SECONDS]\n"
         "                 [--low-volts VOLTS --low-volts-after SECONDS --low-volts-for SECONDS]\n"
         "Links a pseudo-terminal as DIR/comN and sends logger-board telemetry frames on it.\n";
}

}  // namespace sim
