// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar: Windows' menus have no hidden item, so an invisible item is left out.
#include "MainMenu.h"

#include <array>

#include "WindowDescription.h"

namespace kovar {

HMENU CreateMainMenu() {
  HMENU bar = CreateMenu();
  std::array<HMENU, 4> menus{bar, nullptr, nullptr, nullptr};
  for (std::size_t row = 0; row < kMainMenu.size(); ++row) {
    const MenuItemDescription& item = kMainMenu[row];
    if (!item.visible) continue;
    HMENU parent = menus[static_cast<std::size_t>(item.parent)];
    const UINT grey = item.enabled ? 0 : MF_GRAYED;
    if (item.opens != Menu::Bar) {
      HMENU opened = CreatePopupMenu();
      menus[static_cast<std::size_t>(item.opens)] = opened;
      AppendMenuA(parent, MF_POPUP | MF_STRING | grey, reinterpret_cast<UINT_PTR>(opened),
                  item.caption);
    } else if (item.separator) {
      AppendMenuA(parent, MF_SEPARATOR | grey, static_cast<UINT_PTR>(MenuId(row)), nullptr);
    } else {
      AppendMenuA(parent, MF_STRING | grey, static_cast<UINT_PTR>(MenuId(row)), item.caption);
    }
  }
  return bar;
}

}  // namespace kovar
