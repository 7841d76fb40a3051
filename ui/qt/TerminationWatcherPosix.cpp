// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGHUP and SIGINT: a signal handler may only write to a pipe; the event loop reads it
// and asks for an orderly end. A signal that was ignored when the program started stays ignored:
// that is how `nohup` and a shell's background jobs ask a program to outlive them.
#include "TerminationWatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include <QSocketNotifier>

namespace kovar {

namespace {

int gWakeFds[2] = {-1, -1};
volatile sig_atomic_t gRequested = 0;
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
// The signals of kSignals that this watcher handles, by index.
bool gWatched[std::size(kSignals)] = {};

extern "C" void OnTerminationSignal(int signal) {
  // A second request ends the program at once, whatever the first is still waiting for: the
  // signal's own default action, delivered as soon as this handler returns.
  if (gRequested) {
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  gRequested = 1;
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(gWakeFds[0], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
  gRequested = 0;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gWakeFds) != 0) return;
  notifier_ = new QSocketNotifier(gWakeFds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char buffer[16];
    while (read(gWakeFds[1], buffer, sizeof buffer) > 0) {
    }
    emit terminationRequested();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    struct sigaction before {};
    gWatched[i] = sigaction(kSignals[i], nullptr, &before) == 0 && before.sa_handler != SIG_IGN &&
                  sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

TerminationWatcher::~TerminationWatcher() {
  if (!notifier_) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (gWatched[i]) sigaction(kSignals[i], &action, nullptr);
    gWatched[i] = false;
  }
  close(gWakeFds[0]);
  close(gWakeFds[1]);
  gWakeFds[0] = gWakeFds[1] = -1;
}

}  // namespace kovar
