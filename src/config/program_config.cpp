#include "config/program_config.h"

#include <algorithm>

#include "platform/numeric_text.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"Program Config File", 1, 1};

}  // namespace

const KeyTable<ProgramConfig>& programConfigKeys() {
  using P = ProgramConfig;
  static const KeyTable<P> keys = {
      {"Port", &P::Port},
      {"Savehtml", &P::Savehtml},
      {"SaveExcel", &P::SaveExcel},
      {"LogDelay", &P::LogDelay},
      {"LogOn", &P::LogOn},
      {"DisplayRPM", &P::DisplayRPM},
      {"DisplayWS", &P::DisplayWS},
      {"WSUnits", &P::WSUnits},
      {"SV", &P::SV},
      {"MA", &P::MA},
      {"BR", &P::BR},
      {"dispMessages", &P::dispMessages},
      {"MR", &P::MR},
      {"MP", &P::MP},
  };
  return keys;
}

std::string programConfigPath(const std::string& programFolder) {
  return programFolder + "/prog.cfg";
}

ProgramConfig setupDefaults() {
  ProgramConfig config;
  config.Savehtml = "0";
  config.SaveExcel = "0";
  config.LogDelay = "60";  // the main window's own interval before any file is read
  config.LogOn = "0";
  config.DisplayRPM = "1";
  config.DisplayWS = "0";
  config.WSUnits = "mph";
  config.SV = "24";
  config.MA = "20";
  config.BR = "4800";
  config.dispMessages = "1";  // a first run records why the port failed
  config.MR = "400";
  config.MP = "1000";
  return config;
}

double powerScaleOr(std::optional<double> value, std::string ProgramConfig::*key) {
  if (value && *value > 0 && *value < 1e15) return *value;
  // The live plot asks on every frame while prog.cfg holds no usable maximum.
  static const ProgramConfig defaults = setupDefaults();
  return numericValue(defaults.*key).value_or(1);
}

KeysRead readProgramConfigStrict(std::string_view text, ProgramConfig& config) {
  static const KeyTable<ProgramConfig> inLoadOrder = [] {
    constexpr std::string_view order[] = {"Port",       "BR",        "MR",       "MP",
                                          "Savehtml",   "SaveExcel", "LogDelay", "LogOn",
                                          "DisplayRPM", "DisplayWS", "WSUnits",  "dispMessages"};
    KeyTable<ProgramConfig> keys;
    for (std::string_view name : order) {
      const auto& table = programConfigKeys();
      keys.push_back(*std::find_if(table.begin(), table.end(),
                                   [name](const auto& key) { return key.name == name; }));
    }
    return keys;
  }();
  return readKeysStrict(text, inLoadOrder, config);
}

ProgramConfig readProgramConfig(std::string_view text, const ProgramConfig& fallback) {
  return readKeysLenient(text, programConfigKeys(), fallback);
}

std::string programConfigText(const ProgramConfig& config) {
  return configText(kLayout, programConfigKeys(), config);
}

bool isTicked(std::string_view stored) {
  return optionValue(stored).value_or(false);
}

}  // namespace tamsel
