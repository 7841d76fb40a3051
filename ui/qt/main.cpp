// Kovar Launcher's entry point: the application's name and version, its directory, and the run.
#include <QApplication>
#include <QFile>

#include "LauncherApplication.h"
#include "WindowDescription.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QString::fromLatin1(kovar::kApplicationName));
  QApplication::setApplicationVersion(QStringLiteral("0.01"));
  QApplication app(argc, argv);
  // The launcher's files lie beside its executable, named in the system's own file name bytes.
  const QByteArray appDir = QFile::encodeName(QApplication::applicationDirPath());
  kovar::LauncherApplication launcher(appDir.toStdString());
  return launcher.Run();
}
