#include "frame_plan.h"

#include <algorithm>

#include "frame_text.h"

namespace sim {
namespace {

constexpr int kSplitPieces = 3;
constexpr double kLongestSplitPause = 0.02;
// The run comes after a few good frames, so a logger has something to lose.
constexpr std::uint64_t kFramesBeforeRun = 2;

bool isBracket(unsigned char c) {
  return c == '[' || c == ']' || c == '<' || c == '>';
}

}  // namespace

FramePlanner::FramePlanner(const SimOptions& options)
    : options_(options), rng_(options.seed ^ 0x9e3779b97f4a7c15ull) {}

TickPlan FramePlanner::plan(const std::function<Counts()>& nextCounts, double period,
                            std::uint64_t framesLeft, bool readerThere) {
  TickPlan tick;
  if (options_.noBracketRun > 0 && !runSent_ && framesPlanned_ >= kFramesBeforeRun && readerThere) {
    tick.writes.push_back({0, noBracketRun(options_.noBracketRun)});
    tick.runBytes = options_.noBracketRun;
    runSent_ = true;
  }
  const std::uint64_t count = std::min<std::uint64_t>(options_.pair ? 2 : 1, framesLeft);
  std::string text;
  bool garbageDue = false;
  for (std::uint64_t k = 0; k < count; ++k) {
    SentFrame frame;
    frame.counts = nextCounts();
    ++framesPlanned_;
    frame.badChecksum =
        options_.badChecksumEvery > 0 && framesPlanned_ % options_.badChecksumEvery == 0;
    frame.text = frameText(frame.counts, frame.badChecksum);
    text += frame.text;
    garbageDue |= options_.garbageEvery > 0 && framesPlanned_ % options_.garbageEvery == 0;
    tick.frames.push_back(std::move(frame));
  }
  if (!text.empty()) {
    if (options_.split) {
      const double pause = std::min(kLongestSplitPause, period / (kSplitPieces + 1));
      bool first = true;
      for (auto& piece : cut(text, kSplitPieces, rng_)) {
        tick.writes.push_back({first ? 0.0 : pause, std::move(piece)});
        first = false;
      }
    } else {
      tick.writes.push_back({0, std::move(text)});
    }
  }
  if (garbageDue) tick.writes.push_back({0, garbage(rng_)});
  return tick;
}

std::string FramePlanner::garbage(std::mt19937_64& rng) {
  static const std::string words = "noise 0123456789 ~!@#$%^&*()_+-={}|;:',./? ABCxyz\r\n";
  std::uniform_int_distribution<int> length(16, 64);
  std::uniform_int_distribution<size_t> wordPick(0, words.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> coin(0, 2);
  std::string out(1, '\0');
  const int n = length(rng);
  while (static_cast<int>(out.size()) < n) {
    if (coin(rng) == 0) {
      const auto c = static_cast<unsigned char>(byte(rng));
      if (!isBracket(c)) out.push_back(static_cast<char>(c));
    } else {
      out.push_back(words[wordPick(rng)]);
    }
  }
  out.push_back('\0');
  return out;
}

std::string FramePlanner::noBracketRun(std::uint64_t bytes) {
  static const std::string pattern = "a long run of text that never closes a frame 0123456789 [";
  std::string out;
  out.reserve(bytes);
  while (out.size() < bytes) out += pattern;
  out.resize(bytes);
  return out;
}

std::vector<std::string> FramePlanner::cut(const std::string& text, int pieces,
                                           std::mt19937_64& rng) {
  std::vector<size_t> at;
  if (text.size() >= 2) {
    std::uniform_int_distribution<size_t> place(1, text.size() - 1);
    for (int k = 1; k < pieces; ++k) at.push_back(place(rng));
  }
  std::sort(at.begin(), at.end());
  at.erase(std::unique(at.begin(), at.end()), at.end());
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t cutAt : at) {
    out.push_back(text.substr(from, cutAt - from));
    from = cutAt;
  }
  out.push_back(text.substr(from));
  return out;
}

}  // namespace sim
