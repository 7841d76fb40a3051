// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt skin in the program's shell: the event loop, and the system's and the desktop session's
// requests to end.
#include "LauncherApplication.h"

#include <functional>
#include <utility>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>

#include "TerminationWatcher.h"

namespace kovar {

namespace {

// The desktop session's end (the session manager's "die") and any other request to quit the
// application reach it as a Quit event; they end the program as a signal does.
class QuitRequestFilter : public QObject {
 public:
  QuitRequestFilter(QObject* parent, std::function<void()> onQuit)
      : QObject(parent), onQuit_(std::move(onQuit)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != qApp || event->type() != QEvent::Quit) return false;
    onQuit_();
    return true;
  }

 private:
  std::function<void()> onQuit_;
};

}  // namespace

void QtSkin::MeetTheSystem(LauncherProgram& program, frmMain& window) {
  // The program ends only through the main window, which saves first; closing any other window
  // must not end it unsaved.
  QApplication::setQuitOnLastWindowClosed(false);
  auto* watcher = new TerminationWatcher(&window);
  QObject::connect(watcher, &TerminationWatcher::terminationRequested, &window,
                   [&program] { program.SystemEnded(); });
  // A checkpoint, also sent before a logout that may still be cancelled: save, but go on.
  QObject::connect(
      qApp, &QGuiApplication::commitDataRequest, &window,
      [&program](QSessionManager&) { program.SessionSaveAsked(); }, Qt::DirectConnection);
  qApp->installEventFilter(new QuitRequestFilter(&window, [&program] { program.SystemEnded(); }));
}

int QtSkin::EventLoop() { return QApplication::exec(); }

}  // namespace kovar
