// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Stands for a launcher whose end is stuck: it watches for the system's requests to end but never
// returns to its event loop, so the first request cannot be acted on and only a second one can
// end it. Prints "ready" once it watches; ends by itself after 20 seconds.
#include <cstdio>

#include <QCoreApplication>
#include <QThread>

#include "TerminationWatcher.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  kovar::TerminationWatcher watcher(nullptr);
  std::puts("ready");
  std::fflush(stdout);
  QThread::sleep(20);
  return 0;
}
