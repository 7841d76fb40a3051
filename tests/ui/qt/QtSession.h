// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A launcher over a temporary application directory, with the Qt skin's desktop and main
// window, as the Qt window tests drive it.
#pragma once

#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QTest>

#include "LauncherProgram.h"
#include "MapBox.h"
#include "ToolkitDesktop.h"
#include "TestSupport.h"
#include "frmMain.h"

namespace kovar::test {

struct Session {
  TempDir dir;
  ToolkitDesktop desktop;
  LauncherProgram program{dir.Path(), desktop, MapListing::WhenFilled};
  Launcher& launcher = program.Core();
  std::unique_ptr<frmMain> window;
  int ends = 0;

  frmMain& Create() {
    window = std::make_unique<frmMain>(program.WindowBehaviour());
    desktop.SetMainWindow(window.get());
    window->SetProgramEnder([this] { ++ends; });
    return *window;
  }
  frmMain& Show() {
    Create().show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window did not become active");
    return *window;
  }
  template <typename T = QWidget>
  T* Control(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Item(const char* name) const { return Control<QAction>(name); }
  const std::string& Text(TextField field) const { return launcher.State().Text(field); }
  void Click(const char* name) const { QTest::mouseClick(Control(name), Qt::LeftButton); }
  // Clicks the map list's entry `row` as the player would.
  void ClickMap(int row) const {
    QListView* list = Control<MapBox>("listMap")->List();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  void WriteMap(const std::string& name, const std::string& level, const std::string& description,
                int pictureWidth = 120, int pictureHeight = 90) const {
    dir.Write("data/" + name + ".kvx", level + "\r\n" + description + "\r\n");
    dir.Write("data/" + name + ".bmp", MakeBmp(pictureWidth, pictureHeight));
  }
};

}  // namespace kovar::test
