// Kovar Launcher's entry point: the application's name and version, the event loop, and the run.
#include <QApplication>
#include <QFile>

#include "LauncherApplication.h"
#include "LauncherProgram.h"
#include "WindowDescription.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QString::fromLatin1(kovar::kApplicationName));
  QApplication::setApplicationVersion(QStringLiteral("0.01"));
  QApplication app(argc, argv);
  kovar::LauncherApplication launcher(kovar::ApplicationFiles(
      QFile::encodeName(QApplication::applicationDirPath()).toStdString(), KOVAR_SYSTEM_LAYOUT));
  return launcher.Run();
}
