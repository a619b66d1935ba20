#include "history/history_settings.h"

#include <cmath>
#include <limits>

#include "config/program_config.h"
#include "platform/numeric_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

double numberOr(const std::string& text, const std::string& fallback) {
  if (auto value = numericValue(text); value && std::isfinite(*value)) return *value;
  return numericValue(fallback).value_or(0);
}

}  // namespace

HistorySettings readHistorySettings(std::string_view programConfigText) {
  const ProgramConfig defaults = setupDefaults();
  const ProgramConfig config = readProgramConfig(programConfigText, defaults);
  HistorySettings settings;
  settings.logDelay = numberOr(config.LogDelay, defaults.LogDelay);
  settings.scaleVolts = numberOr(config.SV, defaults.SV) * 70 / 48;
  settings.MA = numberOr(config.MA, defaults.MA);
  settings.MR = numberOr(config.MR, defaults.MR);
  // Full-scale watts are a 16-bit whole number; one that does not fit is as
  // good as no number at all.
  double mp = std::round(numberOr(config.MP, defaults.MP));
  if (mp < std::numeric_limits<std::int16_t>::min() ||
      mp > std::numeric_limits<std::int16_t>::max())
    mp = numberOr(defaults.MP, defaults.MP);
  settings.MP = static_cast<std::int16_t>(mp);
  settings.WSUnits = config.WSUnits;
  return settings;
}

Result<HistorySettings> loadHistorySettings(const std::string& programFolder) {
  const std::string path = programConfigPath(programFolder);
  if (isMissing(path)) return readHistorySettings({});
  Result<std::string> text = readWholeFile(path);
  if (!text) return text.status();
  return readHistorySettings(*text);
}

}  // namespace tamsel
