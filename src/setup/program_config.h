#pragma once
// The program configuration as the setup window edits it: every value of
// prog.cfg as text, how the file's text is built, and how it is read back.
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// The fourteen values of prog.cfg, under their key names, as text. Nothing
// here checks a value; whoever uses one converts it.
struct ProgramConfig {
  std::string Port;
  std::string Savehtml;
  std::string SaveExcel;
  std::string LogDelay;
  std::string LogOn;
  std::string DisplayRPM;
  std::string DisplayWS;
  std::string WSUnits;
  std::string SV;
  std::string MA;
  std::string BR;
  std::string dispMessages;
  std::string MR;
  std::string MP;

  bool operator==(const ProgramConfig&) const = default;
};

// One key of prog.cfg and the value it holds.
struct ProgramConfigKey {
  std::string_view name;
  std::string ProgramConfig::*value;
};

// The keys in the order the file lists them, which is also the order the
// setup window reads them.
const std::vector<ProgramConfigKey>& programConfigKeys();

inline constexpr std::string_view kProgramConfigFile = "prog.cfg";
std::string programConfigPath(const std::string& programFolder);

// What the setup window shows for anything prog.cfg does not hold, so a first
// run without the file still reaches a window the user can save from. The port
// is left empty on purpose: the user picks one from the devices found.
ProgramConfig setupDefaults();

// Each key by the tag rule; a key that cannot be read keeps its value from
// `fallback`.
ProgramConfig readProgramConfig(std::string_view text, const ProgramConfig& fallback);

// The whole file: "Program Config File", an empty line, one "<Key>value</Key>"
// line per key, and one more line end, so the file ends with an empty line.
std::string programConfigText(const ProgramConfig& config);

// A stored check box value ticks the box only when it is the number 1.
bool isTicked(std::string_view stored);
inline std::string checkText(bool ticked) {
  return ticked ? "1" : "0";
}

}  // namespace tamsel
