#pragma once
// prog.cfg: the program configuration. Every value is kept as the text it
// was stored as; whoever uses one converts it.
#include <optional>
#include <string>
#include <string_view>

#include "config/config_file.h"

namespace tamsel {

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

// The file's one key table, in the order the file lists the keys.
const KeyTable<ProgramConfig>& programConfigKeys();

std::string programConfigPath(const std::string& programFolder);

// What the windows fall back on for anything prog.cfg does not hold, so a
// first run without the file still reaches a window the user can save from.
// The port is left empty on purpose: the user picks one from the devices found.
ProgramConfig setupDefaults();

// A full scale the power-versus-RPM picture can be drawn to: `value` when it
// is a number above 0, otherwise the setup window's default for `key` (MR or
// MP), so the grid always has a size and the dots a place.
double powerScaleOr(std::optional<double> value, std::string ProgramConfig::*key);

// The main window's reading: Port, BR, MR, MP, Savehtml, SaveExcel,
// LogDelay, LogOn, DisplayRPM, DisplayWS, WSUnits, dispMessages, in that
// order, stopping at the first key that cannot be read. SV and MA are not
// the main window's.
KeysRead readProgramConfigStrict(std::string_view text, ProgramConfig& config);

// Each key by the tag rule; a key that cannot be read keeps its value from
// `fallback`.
ProgramConfig readProgramConfig(std::string_view text, const ProgramConfig& fallback);

// The whole file: "Program Config File", an empty line, one line per key in
// file order, and one more line end, so the file ends with an empty line.
std::string programConfigText(const ProgramConfig& config);

// A stored option is on only when it is the number 1.
bool isTicked(std::string_view stored);
inline std::string checkText(bool ticked) {
  return ticked ? "1" : "0";
}

}  // namespace tamsel
