#include "board_line.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "config/program_config.h"
#include "platform/serial/serial_control.h"

namespace tamsel::bench {
namespace {

constexpr int kSettleMs = 100;

double processCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double wallSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Waits (in the event loop, frames being handled as they come) until `count`
// reaches `target`; false when it has not within `timeoutMs`.
bool runUntil(const long& count, long target, int timeoutMs, QEventLoop& loop) {
  if (count >= target) return true;
  bool timedOut = false;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  deadline.start(timeoutMs);
  loop.exec();
  return !timedOut;
}

void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

BoardLine::BoardLine(int framesPerSecond) {
  ProgramConfig config = setupDefaults();
  config.Port = "1";
  config.LogOn = "1";
  config.LogDelay = "10";
  config.DisplayRPM = "1";
  config.DisplayWS = "1";
  config.dispMessages = "1";
  folder_.write("prog.cfg", programConfigText(config));
  if (!board_.start({BOARD_SIM_BINARY, "--folder", folder(), "--port", "1", "--rate",
                     std::to_string(framesPerSecond), "--write-settings"},
                    folder_.file("board-output.txt"))) {
    error_ = "board_sim did not start";
    return;
  }
  // The line is there once the simulator has linked it; the port is opened
  // only then, or start-up would find no port. A short poll: nothing is
  // measured yet.
  const std::string link = folder_.file("com1");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  struct stat st {};
  while (::lstat(link.c_str(), &st) != 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      error_ = "board_sim made no line: " + folder_.read("board-output.txt");
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool measurePaced(SerialControl& serial, int framesPerSecond, PacedRun& run, std::string& error) {
  const long skipped = std::max(2, framesPerSecond / 2);
  const long measured = std::max(20, framesPerSecond * 15);
  long frames = 0;
  long target = skipped;
  QEventLoop loop;
  const QMetaObject::Connection counting =
      QObject::connect(&serial, &SerialControl::received, &loop, [&](const QByteArray& text) {
        frames += text.count(']');
        if (frames >= target) loop.quit();
      });
  // Twice the time the frames take, and start-up time on top.
  auto timeoutMs = [&](long count) { return int(count * 2000 / framesPerSecond) + 5000; };
  if (!runUntil(frames, target, timeoutMs(skipped), loop)) {
    error = "no frames came: " + std::to_string(frames);
    return false;
  }
  const long from = frames;
  const double cpuFrom = processCpuSeconds(), wallFrom = wallSeconds();
  target = from + measured;
  const bool arrived = runUntil(frames, target, timeoutMs(measured), loop);
  // Frames that come while settling are counted too: their cost is in the time.
  target = std::numeric_limits<long>::max();
  runFor(kSettleMs);
  run.cpuSeconds = processCpuSeconds() - cpuFrom;
  run.wallSeconds = wallSeconds() - wallFrom;
  run.frames = frames - from;
  QObject::disconnect(counting);
  if (!arrived) error = "frames stopped coming after " + std::to_string(frames);
  return arrived;
}

}  // namespace tamsel::bench
