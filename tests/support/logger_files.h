#pragma once
// The setting files and frames most logger tests start from.
#include <string>

#include "config/program_config.h"

namespace tamsel::test {

// prog.cfg as the setup window writes it, with the tests' usual values.
struct ProgCfg : ProgramConfig {
  ProgCfg() : ProgramConfig(setupDefaults()) {
    Port = "3";
    DisplayRPM = "0";
    SV = "12";
    BR = "9600";
  }
  std::string text() const { return programConfigText(*this); }
};

// The same with logging started automatically, as most logging tests want.
inline ProgCfg loggingCfg() {
  ProgCfg cfg;
  cfg.LogOn = "1";
  return cfg;
}

inline const char* kSettingsCfg =
    "Calibration Settings\r\n\r\n\r\n<VoltDivider>40</VoltDivider>\r\n<VoltOffset>100</VoltOffset>"
    "\r\n<AmpDivider>20</AmpDivider>\r\n<RPMDivider>1</RPMDivider>\r\n<WSDivider>2</WSDivider>\r\n";

// V 500 -> 12.50 V; I 164 -> 3.20 A; 40.0 W; R 5 -> 300 RPM; S 13 -> 6.5.
inline const char* kGoodFrame = "[<V>500</V><I>164</I><R>5</R><S>13</S><C>682</C>]";

}  // namespace tamsel::test
