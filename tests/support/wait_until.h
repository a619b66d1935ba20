#pragma once
// For tests that need real events (a serial device, a child process): runs
// the Qt event loop until a condition holds or the time is up.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace tamsel::test {

// Runs the event loop for `ms` milliseconds whatever happens.
inline void runEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  for (qint64 left = ms; left > 0; left = ms - clock.elapsed()) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::min<qint64>(10, left)), &loop, &QEventLoop::quit);
    loop.exec();
  }
}

// True as soon as `condition` holds; false when `timeoutMs` passed first.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() >= timeoutMs) return false;
    runEventsFor(10);
  }
  return true;
}

}  // namespace tamsel::test
