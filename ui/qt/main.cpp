// Kovar Launcher's entry point: the application's name and version, where its files lie, and the
// run.
#include <string>
#include <utility>

#include <QApplication>
#include <QFile>

#include "Environment.h"
#include "FileLocations.h"
#include "LauncherApplication.h"
#include "WindowDescription.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QString::fromLatin1(kovar::kApplicationName));
  QApplication::setApplicationVersion(QStringLiteral("0.01"));
  QApplication app(argc, argv);
  // The launcher's files lie beside the executable itself, not beside a link to it (such as
  // /usr/games/kovar-launcher), named in the system's own file name bytes.
  std::string appDir = kovar::ExecutableDirectory();
  if (appDir.empty()) appDir = QFile::encodeName(QApplication::applicationDirPath()).toStdString();
  kovar::LauncherApplication launcher(kovar::FileLocations::Choose(
      std::move(appDir), kovar::CurrentUserEnvironment(),
      KOVAR_SYSTEM_LAYOUT ? kovar::InstallLayout::System : kovar::InstallLayout::Portable));
  return launcher.Run();
}
