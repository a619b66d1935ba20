// board_sim: a logger board on a pseudo-terminal, for the tests and the demo.
#include <csignal>
#include <iostream>

#include "sim_options.h"
#include "sim_runner.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
  stopRequested = 1;
}

void installStopHandlers() {
  struct sigaction action {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: the wait in the main loop returns at once
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
  const sim::ParsedOptions parsed = sim::parseOptions({argv + 1, argv + argc});
  if (parsed.help) {
    std::cout << sim::usageText();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "board_sim: " << parsed.error << "\n" << sim::usageText();
    return 2;
  }
  installStopHandlers();
  return sim::runSimulator(*parsed.options, stopRequested, std::cerr);
}
