#pragma once
// Runs the real program in a program folder of its own, fed by the board
// simulator through a pseudo-terminal, and reads back the files it writes.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "config/program_config.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace tamsel::e2e {

using test::ChildEnvironment;
using test::ChildProcess;

class ProgramRun {
 public:
  ProgramRun();  // a temporary program folder holding a copy of the program

  const std::string& folder() const { return folder_.path(); }
  std::string file(const std::string& name) const { return folder_.file(name); }
  std::string read(const std::string& name) const;  // "" when missing
  void write(const std::string& name, const std::string& content) const;

  // Writes prog.cfg for a run that logs every second from the start (the
  // setup window's defaults with a 12 V system, the wind speed shown, a line
  // at 9600), on a port of its own (`portOffset` as test::uniquePortNumber
  // takes it), as `change` leaves it; returns that port.
  int configure(int portOffset, const std::function<void(ProgramConfig&)>& change = {}) const;
  // Writes mqtt.cfg publishing to the test's broker on `brokerPort` under
  // tamsel/e2e, as client "e2e", once a second.
  void publishTo(int brokerPort) const;

  // Starts the simulator on `port` with the calibration written as
  // settings.cfg, its frames logged to sent.txt, plus `extraArgs`; waits
  // until its comN link is there.
  bool startBoard(int port, const std::vector<std::string>& extraArgs);
  ChildProcess& board() { return board_; }

  // The program with `arguments`, its output to program-output.txt.
  bool startProgram(const std::vector<std::string>& arguments = {},
                    const ChildEnvironment& environment = {});
  ChildProcess& program() { return program_; }

  // Polls every 100 ms until `condition` holds or `timeout` is over.
  static bool waitFor(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(15));

  // Lines of a file, split at CR LF (the piece after the last CR LF left out).
  std::vector<std::string> lines(const std::string& name) const;
  // Record lines of every day's log in logs/ (a run may pass midnight).
  std::vector<std::string> recordLines() const;
  // Files in `subfolder` whose names match `pattern` (a regular expression).
  std::vector<std::string> filesMatching(const std::string& subfolder,
                                         const std::string& pattern) const;
  // What the board says it sent: one entry per frame. Frames that waited
  // unread while nobody had the port open may since have been thrown away.
  struct SentFrame {
    std::string text;
    double volts = 0, amps = 0, watts = 0;
    bool badChecksum = false;
  };
  std::vector<SentFrame> sentFrames() const;

 private:
  test::TempFolder folder_;
  ChildProcess board_;
  ChildProcess program_;
};

// How many of `lines` hold `part`.
size_t linesHolding(const std::vector<std::string>& lines, const std::string& part);

// Lines one under the other, for a failure message.
std::string dump(const std::vector<std::string>& lines);

// Today's date stamp (2010_05_23) on the local clock.
std::string todayStamp();

}  // namespace tamsel::e2e
