#pragma once
// For tests that need real events (a serial device, a child process): runs
// the Qt event loop until a condition holds or the time is up.
#include <functional>

namespace tamsel::test {

// True as soon as `condition` holds; false when `timeoutMs` passed first.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// Runs the event loop for `ms` milliseconds whatever happens.
void runEventsFor(int ms);

}  // namespace tamsel::test
