// Start-up, the event loop and the orderly end.
#include "LauncherApplication.h"

#include <utility>

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>

#include "TerminationWatcher.h"

namespace kovar {

LauncherApplication::LauncherApplication(FileLocations files)
    : launcher_(std::move(files), platform_), console_(launcher_), window_(launcher_, platform_) {
  platform_.SetMainWindow(&window_);
  window_.Behaviour().SetConsole(&console_.Behaviour());
}

int LauncherApplication::Run() {
  // The program ends only through the main window, which saves first; closing any other window
  // must not end it unsaved.
  QApplication::setQuitOnLastWindowClosed(false);
  auto* watcher = new TerminationWatcher(&window_);
  QObject::connect(watcher, &TerminationWatcher::terminationRequested, &window_,
                   [this] { window_.Behaviour().EndBySystem(); });
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window_,
                   [this](QSessionManager&) { window_.Behaviour().EndBySystem(); });

  if (launcher_.Main().failed()) return 1;
  // An end asked for during start-up (a signal while the Quake directory prompt was open) has
  // already saved; the event loop must not start.
  if (window_.Behaviour().Ended()) return 0;
  return QApplication::exec();
}

}  // namespace kovar
