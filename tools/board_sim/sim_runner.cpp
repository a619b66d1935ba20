#include "sim_runner.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <fstream>
#include <ostream>

#include "frame_plan.h"
#include "frame_text.h"
#include "pty_port.h"
#include "stale_input.h"
#include "wind_model.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

struct Pending {
  Clock::time_point due;
  std::string bytes;
  size_t sent = 0;
};

// When the frame count is reached, what is still queued gets this long to go
// out before the board goes away.
constexpr Seconds kDrainTime{1.0};
// How long a logger may leave the line unread before the board takes it to be
// gone and keeps only fresh frames waiting for the next one.
constexpr double kReaderPatience = 2.0;
// How far behind its frame times the board may fall and still catch up.
constexpr std::chrono::milliseconds kMostBehind{100};

bool writeSettings(const SimOptions& options, const Calibration& cal, std::ostream& errors) {
  const std::string path = options.folder + "/settings.cfg";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << settingsFileText(cal);
  if (!out.flush()) {
    errors << "board_sim: cannot write " << path << "\n";
    return false;
  }
  return true;
}

class Runner {
 public:
  Runner(const SimOptions& options, PtyPort& port)
      : options_(options),
        port_(port),
        model_(options.seed),
        planner_(options),
        stale_(kReaderPatience) {
    if (!options.sentLog.empty()) sentLog_.open(options.sentLog, std::ios::binary | std::ios::app);
  }

  static int lineFailed(std::ostream& errors) {
    errors << "board_sim: the line failed\n";
    return 1;
  }

  int run(const volatile std::sig_atomic_t& stop, std::ostream& errors) {
    if (options_.everyFrame && !waitForReader(stop)) return 0;
    const Seconds period{1.0 / options_.rate};
    const auto start = Clock::now();
    auto nextFrame = start;
    Clock::time_point lastPlanned = start;
    while (!stop) {
      const auto now = Clock::now();
      if (options_.duration && now - start >= Seconds(*options_.duration)) break;
      // Done when the reader has taken everything, or has had its time: a
      // board that went away with frames unread would have them thrown away.
      const bool drainOver = !options_.everyFrame && now - lastPlanned >= kDrainTime;
      if (allPlanned() && ((queue_.empty() && port_.waitingOutput() <= 0) || drainOver)) {
        break;
      }
      // Every frame time that has come, each written before the next is
      // planned: the wait below is a millisecond at least, so at thousands of
      // frames a second one pass sends several. A board held up longer than
      // kMostBehind (a stopped process) starts afresh rather than bursting.
      if (!allPlanned() && nextFrame + kMostBehind < now) nextFrame = now;
      while (!allPlanned() && now >= nextFrame) {
        frameTime(Seconds(now - start).count(), period.count(), now);
        lastPlanned = now;
        nextFrame += std::chrono::duration_cast<Clock::duration>(period);
        if (!writeDue(now)) return lineFailed(errors);
      }
      if (!writeDue(now)) return lineFailed(errors);
      port_.discardInput();
      waitForWork(allPlanned() ? now + std::chrono::milliseconds(50) : nextFrame);
    }
    return 0;
  }

 private:
  // False when asked to stop first.
  bool waitForReader(const volatile std::sig_atomic_t& stop) {
    while (!stop && !port_.readerHoldsLine()) {
      port_.discardInput();
      ::poll(nullptr, 0, 10);
    }
    return !stop;
  }

  bool allPlanned() const {
    return options_.frames && planner_.framesPlanned() >= *options_.frames;
  }

  // The model's time goes on whether or not a frame can be sent; a frame
  // time that finds the line still busy with earlier writes is skipped.
  void frameTime(double elapsed, double period, Clock::time_point now) {
    dropStaleFrames(elapsed);
    if (silentAt(options_, elapsed) || !queue_.empty()) {
      model_.step(period);
      return;
    }
    const std::uint64_t left =
        options_.frames ? *options_.frames - planner_.framesPlanned() : UINT64_MAX;
    const double dt = options_.pair ? period / 2 : period;
    const std::optional<double> lowVolts = lowVoltsAt(options_, elapsed);
    const auto nextCounts = [&] {
      WindState state = model_.step(dt);
      if (lowVolts) state.volts = *lowVolts;
      return WindModel::countsFor(state, cal_);
    };
    TickPlan tick = planner_.plan(nextCounts, period, left, stale_.readerThere(elapsed));
    tickFrameBytes_ = 0;
    for (const auto& frame : tick.frames) tickFrameBytes_ += frame.text.size();
    auto due = now;
    for (auto& write : tick.writes) {
      due += std::chrono::duration_cast<Clock::duration>(Seconds(write.pauseBefore));
      queue_.push_back({due, std::move(write.bytes)});
    }
    if (sentLog_.is_open()) {
      if (tick.runBytes) sentLog_ << sentLogRunLine(tick.runBytes) << "\n";
      for (const auto& frame : tick.frames) {
        sentLog_ << sentLogLine(frame.text, decode(frame.counts, cal_), frame.badChecksum) << "\n";
      }
      sentLog_.flush();
    }
  }

  // Frames waiting unread beyond about two frame times, with no reader taking
  // any, would reach a logger that opens the port later as one stale burst.
  void dropStaleFrames(double elapsed) {
    if (options_.everyFrame) return;
    const long waiting = port_.waitingOutput();
    if (stale_.shouldFlush(static_cast<size_t>(std::max(waiting, 0L)), 2 * tickFrameBytes_,
                           elapsed)) {
      port_.discardWaitingOutput();
    }
  }

  bool writeDue(Clock::time_point now) {
    while (!queue_.empty() && queue_.front().due <= now) {
      Pending& head = queue_.front();
      const long n = port_.writeSome(std::string_view(head.bytes).substr(head.sent));
      if (n < 0) return false;
      head.sent += static_cast<size_t>(n);
      stale_.wrote(static_cast<size_t>(n));
      if (head.sent < head.bytes.size()) return true;  // line full: wait for the reader
      queue_.pop_front();
    }
    return true;
  }

  void waitForWork(Clock::time_point until) {
    short events = POLLIN;
    if (!queue_.empty()) {
      if (queue_.front().due <= Clock::now()) {
        events |= POLLOUT;
      } else {
        until = std::min(until, queue_.front().due);
      }
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd fd{port_.masterFd(), events, 0};
    // A short longest wait, so a stop request is seen at once whatever the rate.
    ::poll(&fd, 1, static_cast<int>(std::clamp<long long>(wait.count() + 1, 0, 100)));
  }

  const SimOptions& options_;
  PtyPort& port_;
  Calibration cal_;
  WindModel model_;
  FramePlanner planner_;
  std::deque<Pending> queue_;
  std::ofstream sentLog_;
  StaleInput stale_;
  size_t tickFrameBytes_ = 0;  // the frame text of the last tick
};

}  // namespace

int runSimulator(const SimOptions& options, const volatile std::sig_atomic_t& stop,
                 std::ostream& errors) {
  if (options.writeSettings && !writeSettings(options, Calibration{}, errors)) return 1;
  std::string error;
  auto port = PtyPort::open(options.folder + "/com" + std::to_string(options.port), &error);
  if (!port) {
    errors << "board_sim: " << error << "\n";
    return 1;
  }
  return Runner(options, *port).run(stop, errors);
}

}  // namespace sim
