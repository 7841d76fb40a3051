// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the window description, and compile-time checks that each control's row is where
// its name says.
#include "WindowDescription.h"

#include <string_view>

namespace kovar {

namespace {

constexpr bool Named(MainControl control, std::string_view name) {
  return Describe(control).name == name;
}

static_assert(
    Named(MainControl::picMain, "picMain") && Named(MainControl::listMap, "listMap") &&
    Named(MainControl::txtCpar, "txtCpar") && Named(MainControl::comboEXE, "comboEXE") &&
    Named(MainControl::lblCustomPar, "lblCustomPar") &&
    Named(MainControl::lblMapDes, "lblMapDes") && Named(MainControl::lblMapTitle, "lblMapTitle") &&
    Named(MainControl::imgLevel, "imgLevel") && Named(MainControl::lblMap, "lblMap") &&
    Named(MainControl::lblExe, "lblExe") && Named(MainControl::picSP, "picSP") &&
    Named(MainControl::imgStartSP, "imgStartSP") && Named(MainControl::lblTitle, "lblTitle") &&
    Named(MainControl::Line1, "Line1") && Named(MainControl::imgJoin, "imgJoin") &&
    Named(MainControl::imgMain, "imgMain") && Named(MainControl::imgMP, "imgMP") &&
    Named(MainControl::imgSP, "imgSP") && Named(MainControl::imgTile6, "imgTile6") &&
    Named(MainControl::imgTile5, "imgTile5") && Named(MainControl::imgTile4, "imgTile4") &&
    Named(MainControl::imgTile3, "imgTile3") && Named(MainControl::imgTile2, "imgTile2") &&
    Named(MainControl::imgTile1, "imgTile1") && Named(MainControl::imgLogo1, "imgLogo1"));
static_assert(Describe(DebugControl::cmdSend).name == std::string_view("cmdSend") &&
              Describe(DebugControl::txtMain).name == std::string_view("txtMain") &&
              Describe(DebugControl::listDebug).name == std::string_view("listDebug"));

// A skin that builds the controls row by row finds each panel made before the controls it holds.
constexpr bool PanelsComeFirst() {
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const Container container = kMainWindowControls[row].container;
    if (container != Container::Window && static_cast<std::size_t>(PanelOf(container)) >= row) {
      return false;
    }
  }
  return true;
}
static_assert(PanelsComeFirst());

// The push button and the list are the console's: a skin's main window makes neither.
constexpr bool NoConsoleKinds() {
  for (const ControlDescription& row : kMainWindowControls) {
    if (row.kind == ControlKind::Button || row.kind == ControlKind::List) return false;
  }
  return true;
}
static_assert(NoConsoleKinds());

// Tab visits every row once: no two rows share a focus order, none lies beyond the table.
template <std::size_t N>
constexpr bool EveryRowOnce(const std::array<ControlDescription, N>& table) {
  const TabOrder<N> order = TabOrderOf(table);
  for (std::size_t row = 0; row < N; ++row) {
    std::size_t seen = 0;
    for (std::size_t listed : order.rows) seen += listed == row ? 1 : 0;
    if (seen != 1) return false;
  }
  return true;
}
static_assert(EveryRowOnce(kMainWindowControls) && EveryRowOnce(kDebugWindowControls));

// A screen reader reads every row but the decoration once, in its own container, and each
// caption before the field it captions.
template <std::size_t N>
constexpr bool ReadOnceInItsContainer(const std::array<ControlDescription, N>& table) {
  for (std::size_t row = 0; row < N; ++row) {
    std::size_t seen = 0;
    for (Container container : {Container::Window, Container::MainPanel, Container::StartPanel}) {
      const ReadingOrder<N> order = ReadingOrderOf(table, container);
      for (std::size_t i = 0; i < order.count; ++i) {
        seen += order.rows[i] == row && table[row].container == container ? 1 : 0;
      }
    }
    if (seen != (table[row].accessibleRole == AccessibleRole::Decoration ? 0 : 1)) return false;
  }
  return true;
}
static_assert(ReadOnceInItsContainer(kMainWindowControls) &&
              ReadOnceInItsContainer(kDebugWindowControls));

constexpr std::size_t ReadAt(MainControl control) {
  const auto order = ReadingOrderOf(kMainWindowControls, Describe(control).container);
  for (std::size_t i = 0; i < order.count; ++i) {
    if (order.rows[i] == static_cast<std::size_t>(control)) return i;
  }
  return order.count;
}

constexpr bool CaptionsReadFirst() {
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const auto field = static_cast<MainControl>(row);
    const MainControl caption = CaptionOf(field);
    if (caption != MainControl::Count && ReadAt(caption) + 1 != ReadAt(field)) return false;
  }
  return true;
}
static_assert(CaptionsReadFirst());
// The logo opens the window, each panel closes it: a player hears where they are, then the
// panel that shows.
static_assert(ReadAt(MainControl::imgLogo1) == 0 &&
              ReadAt(MainControl::picMain) + 2 ==
                  ReadingOrderOf(kMainWindowControls, Container::Window).count &&
              ReadAt(MainControl::picSP) + 1 ==
                  ReadingOrderOf(kMainWindowControls, Container::Window).count);

// Each panel is named by the image whose click shows it.
static_assert(Describe(PanelShownBy(MainControl::picMain)).click == ClickAction::ShowMainPanel &&
              Describe(PanelShownBy(MainControl::picSP)).click == ClickAction::ShowStartPanel);

}  // namespace

std::string ChosenMapDescription(const std::string& title, const std::string& description) {
  if (title.empty() || description.empty()) return title + description;
  return title + ". " + description;
}

PanelVisibility PanelsAfter(ClickAction click, PanelVisibility now) {
  switch (click) {
    case ClickAction::ShowMainPanel:
      return {true, false};
    case ClickAction::ShowStartPanel:
      return {false, true};
    case ClickAction::None:
    case ClickAction::Beep:
    case ClickAction::StartGame:
      break;
  }
  return now;
}

PixelsRect DebugListPlace(int clientWidthPixels, int clientHeightPixels, int dpi) {
  const PixelsRect start = Pixels(Describe(DebugControl::listDebug).place, dpi);
  return {start.left, start.top, clientWidthPixels, std::max(0, clientHeightPixels - start.top)};
}

}  // namespace kovar
