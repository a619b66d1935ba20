#include "app/process/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace tamsel {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may only write to a descriptor; the event loop reads it.
// The byte waits there until someone listens.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  const ssize_t written = ::write(signalPipe[0], &byte, 1);
  (void)written;  // a full pipe already holds a request
}

}  // namespace

void holdTerminationSignals() {
  if (signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) {
    signalPipe[0] = signalPipe[1] = -1;
    return;  // without it the signals keep their default action: ending the program
  }
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  holdTerminationSignals();
  if (signalPipe[1] < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signalPipe[1], bytes, sizeof bytes) > 0) {
    }
    emit requested();
  });
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  for (const int signal : kSignals) ::signal(signal, SIG_DFL);
  notifier_.reset();
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

}  // namespace tamsel
