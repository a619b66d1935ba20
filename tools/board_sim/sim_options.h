#pragma once
// The simulator's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct SimOptions {
  std::string folder;  // program folder that gets the comN link
  int port = 1;        // N of comN
  double rate = 1;     // frames per second
  std::uint64_t seed = 1;
  std::optional<std::uint64_t> frames;  // exit after this many frames
  std::optional<double> duration;       // exit after this many seconds
  bool writeSettings = false;           // write settings.cfg into the folder
  std::string sentLog;                  // append a line per frame sent
  // For a test that needs every frame: silent until a logger holds the line,
  // no frame thrown away for want of a reader, and gone only once all are read.
  bool everyFrame = false;
  // Faults.
  std::uint64_t badChecksumEvery = 0;  // every Nth frame carries a wrong checksum
  bool split = false;                  // each frame over several writes
  bool pair = false;                   // two frames in one write
  std::uint64_t garbageEvery = 0;      // garbage and binary bytes after every Nth frame
  std::uint64_t noBracketRun = 0;      // once, to a reader, this many bytes without "]"
  std::optional<double> silenceAfter;  // seconds from start
  double silenceFor = 0;               // seconds
  // A battery run low: these volts sent instead of the model's for a while.
  std::optional<double> lowVolts;
  std::optional<double> lowVoltsAfter;  // seconds from start
  double lowVoltsFor = 0;               // seconds
};

struct ParsedOptions {
  std::optional<SimOptions> options;  // absent when help was asked or on error
  std::string error;                  // empty unless the command line was wrong
  bool help = false;
};

// Parses the arguments after the program name. Options are long options,
// "--name value" or "--name=value".
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

// Whether the board keeps quiet at `elapsed` seconds from its start.
bool silentAt(const SimOptions& options, double elapsed);
// The volts sent at `elapsed` seconds instead of the model's, if any.
std::optional<double> lowVoltsAt(const SimOptions& options, double elapsed);

}  // namespace sim
