#pragma once
// The simulator's main loop: frames at the chosen rate on the pseudo-terminal,
// never waiting on a logger that is slow or absent.
#include <csignal>
#include <iosfwd>

#include "sim_options.h"

namespace sim {

// Runs until `stop` is set, the frame count or duration is reached, or the
// line fails. Returns the process exit status.
int runSimulator(const SimOptions& options, const volatile std::sig_atomic_t& stop,
                 std::ostream& errors);

}  // namespace sim
