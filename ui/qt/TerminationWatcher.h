// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the operating system's requests to end the program (SIGTERM, SIGHUP, SIGINT on Linux)
// into a Qt signal on the event loop, where saving the settings is safe. A second request ends the
// program at once.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace kovar {

class TerminationWatcher : public QObject {
  Q_OBJECT

 public:
  explicit TerminationWatcher(QObject* parent);
  ~TerminationWatcher() override;

 signals:
  void terminationRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kovar
