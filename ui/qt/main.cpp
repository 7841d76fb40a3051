// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kovar Launcher's entry point: the application's name, version and desktop entry, the event
// loop, and the run.
#include <QApplication>
#include <QFile>
#include <string>

#include "LauncherApplication.h"
#include "LauncherProgram.h"
#include "WindowDescription.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QString::fromLatin1(kovar::kApplicationName));
  QApplication::setApplicationVersion(QStringLiteral("0.01"));
  // Docks and task switchers match the window to its menu entry by this name (Wayland's app_id).
  QApplication::setDesktopFileName(QStringLiteral("org.tarnfield.KovarLauncher"));
  QApplication app(argc, argv);
  const std::string programFolder =
      QFile::encodeName(QApplication::applicationDirPath()).toStdString();
  kovar::LauncherApplication launcher(
      kovar::ApplicationFiles(programFolder, KOVAR_SYSTEM_LAYOUT, KOVAR_APP_DIR_FROM_EXECUTABLE));
  return launcher.Run();
}
