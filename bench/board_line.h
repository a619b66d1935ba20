#pragma once
// A program folder with the board simulator sending on its line at a steady
// rate, and the measure of what the frames arriving on it cost this process.
#include <string>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace tamsel {
class SerialControl;
}

namespace tamsel::bench {

class BoardLine {
 public:
  // Writes prog.cfg (port 1, logging on, every display on) and starts the
  // simulator at `framesPerSecond`; error() says why when it is not up.
  explicit BoardLine(int framesPerSecond);

  const std::string& folder() const { return folder_.path(); }
  const std::string& error() const { return error_; }

 private:
  test::TempFolder folder_;
  test::ChildProcess board_;
  std::string error_;
};

struct PacedRun {
  long frames = 0;         // frames handled in the time measured
  double cpuSeconds = 0;   // this process's, over those frames and a settling time after
  double wallSeconds = 0;  // over the same time
};

// Runs the event loop while `serial` receives frames at `framesPerSecond`:
// skips the start-up frames and the first expose, then measures over
// max(20, 15 s of) frames and a further 100 ms for a repaint still due. False, with `error` set,
// when the frames stop coming.
bool measurePaced(SerialControl& serial, int framesPerSecond, PacedRun& run, std::string& error);

}  // namespace tamsel::bench
