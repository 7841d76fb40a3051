// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar walked from the menu table.
#include "MainMenu.h"

#include <array>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "TextControls.h"

namespace kovar {

void BuildMainMenu(QMenuBar* bar, const std::function<void(MenuCommand)>& chosen) {
  std::array<QMenu*, 4> menus{};
  for (const MenuItemDescription& item : kMainMenu) {
    QAction* action = nullptr;
    if (item.parent == Menu::Bar) {
      QMenu* menu = bar->addMenu(ToDisplay(item.caption));
      menus[static_cast<std::size_t>(item.opens)] = menu;
      action = menu->menuAction();
    } else {
      QMenu* menu = menus[static_cast<std::size_t>(item.parent)];
      action = item.separator ? menu->addSeparator() : menu->addAction(ToDisplay(item.caption));
    }
    action->setObjectName(QString::fromLatin1(item.name));
    action->setMenuRole(QAction::NoRole);
    action->setVisible(item.visible);
    action->setEnabled(item.enabled);
    if (item.command != MenuCommand::None) {
      QObject::connect(action, &QAction::triggered, bar,
                       [chosen, command = item.command] { chosen(command); });
    }
  }
}

}  // namespace kovar
