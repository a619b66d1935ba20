#include "config/turbine_config.h"

namespace tamsel {
namespace {

constexpr ConfigLayout kLayout{"Turbine Config File", 1, 1};

}  // namespace

const KeyTable<TurbineConfig>& turbineConfigKeys() {
  using T = TurbineConfig;
  static const KeyTable<T> keys = {
      {"RotorDiameter", &T::RotorDiameter},
      {"RatedPower", &T::RatedPower},
      {"CutOut", &T::CutOut},
      {"GearRatio", &T::GearRatio},
      {"Curve", &T::Curve},
      {"Altitude", &T::Altitude},
      {"Temperature", &T::Temperature},
      {"FullVolts", &T::FullVolts},
      {"MinBinMinutes", &T::MinBinMinutes},
  };
  return keys;
}

std::string turbineConfigPath(const std::string& programFolder) {
  return programFolder + "/turbine.cfg";
}

TurbineConfig readTurbineConfig(std::string_view text) {
  return readKeysLenient(text, turbineConfigKeys(), TurbineConfig{});
}

std::string turbineConfigText(const TurbineConfig& config) {
  return configText(kLayout, turbineConfigKeys(), config);
}

}  // namespace tamsel
