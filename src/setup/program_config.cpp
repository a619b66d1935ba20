#include "setup/program_config.h"

#include "platform/numeric_text.h"
#include "platform/tag_reader.h"
#include "platform/text_file.h"
#include "setup/option_groups.h"

namespace tamsel {

const std::vector<ProgramConfigKey>& programConfigKeys() {
  static const std::vector<ProgramConfigKey> keys = {
      {"Port", &ProgramConfig::Port},
      {"Savehtml", &ProgramConfig::Savehtml},
      {"SaveExcel", &ProgramConfig::SaveExcel},
      {"LogDelay", &ProgramConfig::LogDelay},
      {"LogOn", &ProgramConfig::LogOn},
      {"DisplayRPM", &ProgramConfig::DisplayRPM},
      {"DisplayWS", &ProgramConfig::DisplayWS},
      {"WSUnits", &ProgramConfig::WSUnits},
      {"SV", &ProgramConfig::SV},
      {"MA", &ProgramConfig::MA},
      {"BR", &ProgramConfig::BR},
      {"dispMessages", &ProgramConfig::dispMessages},
      {"MR", &ProgramConfig::MR},
      {"MP", &ProgramConfig::MP},
  };
  return keys;
}

std::string programConfigPath(const std::string& programFolder) {
  return programFolder + "/" + std::string(kProgramConfigFile);
}

ProgramConfig setupDefaults() {
  ProgramConfig config;
  config.Port = "";
  config.Savehtml = "0";
  config.SaveExcel = "0";
  config.LogDelay = "60";  // the main window's own interval before any file is read
  config.LogOn = "0";
  config.DisplayRPM = "1";
  config.DisplayWS = "0";
  config.WSUnits = "mph";
  config.dispMessages = "1";  // a first run records why the port failed
  for (const OptionGroup& group : optionGroups()) {
    config.*group.value = std::string(group.values[group.initial]);
  }
  return config;
}

ProgramConfig readProgramConfig(std::string_view text, const ProgramConfig& fallback) {
  ProgramConfig config = fallback;
  for (const ProgramConfigKey& key : programConfigKeys()) {
    if (auto value = readTag(text, key.name)) config.*key.value = std::move(*value);
  }
  return config;
}

std::string programConfigText(const ProgramConfig& config) {
  std::string text = "Program Config File";
  text.append(kLineEnd).append(kLineEnd);
  for (const ProgramConfigKey& key : programConfigKeys()) {
    text.append("<").append(key.name).append(">");
    text.append(config.*key.value);
    text.append("</").append(key.name).append(">");
    text.append(kLineEnd);
  }
  text.append(kLineEnd);
  return text;
}

bool isTicked(std::string_view stored) {
  return optionValue(stored).value_or(false);
}

}  // namespace tamsel
