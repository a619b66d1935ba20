#pragma once
// What the simulator writes at each frame time: the frames themselves and the
// faults the command line asks for, as a list of writes with pauses between.
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "calibration.h"
#include "sim_options.h"

namespace sim {

struct Write {
  double pauseBefore = 0;  // seconds after the previous write of the tick
  std::string bytes;
};

struct SentFrame {
  std::string text;
  Counts counts;
  bool badChecksum = false;
};

struct TickPlan {
  std::vector<Write> writes;
  std::vector<SentFrame> frames;  // in the order they go out
  std::uint64_t runBytes = 0;     // the run without "]", which goes first
};

class FramePlanner {
 public:
  explicit FramePlanner(const SimOptions& options);

  // The writes of one frame time. `nextCounts` gives the counts of each frame
  // in turn; `period` is the time to the next frame time, which bounds the
  // pauses of a split frame. At most `framesLeft` frames are planned. The
  // run without "]" waits for `readerThere`, so that a logger meets it rather
  // than the line throwing it away unread.
  TickPlan plan(const std::function<Counts()>& nextCounts, double period,
                std::uint64_t framesLeft = UINT64_MAX, bool readerThere = true);

  std::uint64_t framesPlanned() const { return framesPlanned_; }

  // Text and binary noise that holds none of "[", "]", "<", ">" (so it cannot
  // pass for a frame or a field) and at least one NUL byte.
  static std::string garbage(std::mt19937_64& rng);
  // `bytes` of text with no "]" (and no tag brackets), "[" now and then.
  static std::string noBracketRun(std::uint64_t bytes);
  // `text` cut at up to `pieces` - 1 random places, never into empty pieces.
  static std::vector<std::string> cut(const std::string& text, int pieces, std::mt19937_64& rng);

 private:
  SimOptions options_;
  std::mt19937_64 rng_;
  std::uint64_t framesPlanned_ = 0;
  bool runSent_ = false;
};

}  // namespace sim
