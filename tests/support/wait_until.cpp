#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace tamsel::test {
namespace {

constexpr int kSliceMs = 10;

void runSlice(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() >= timeoutMs) return false;
    runSlice(kSliceMs);
  }
  return true;
}

void runEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) runSlice(std::min<qint64>(kSliceMs, ms - clock.elapsed()));
}

}  // namespace tamsel::test
