// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the launcher's two windows are, without any toolkit: every control's kind, container,
// place, stacking, text, picture and place in the focus order; captions, fonts and colours; the
// menu table; the About text; the panel rule and the console's resize rule. Each window skin
// builds its controls from these tables and adds only its toolkit's code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Engines.h"
#include "Twips.h"

namespace kovar {

// Colours as 0xRRGGBB.
using Colour = std::uint32_t;

enum class ControlKind {
  Panel,           // holds other controls; can be hidden and shown
  MapBox,          // editable field with its list always shown below it
  EngineBox,       // editable field with a drop-down list
  TextBox,         // one-line editable field
  Label,           // text, never markup
  Picture,         // an image shown unscaled at its own size, not clickable
  ClickableImage,  // the same, with a click
  Line,            // a horizontal line
  Button,          // a push button
  List,            // a single-selection list
};

// Which control holds a control: the window's client area or one of the two panels.
enum class Container { Window, MainPanel, StartPanel };

// The artwork a picture control shows at creation; the pictures ship with the build.
enum class Artwork { None, Main, SinglePlayer, MultiPlayer, Join, StartSinglePlayer, Tile, Logo };

// The bitmap the program ships for an artwork, named as its file without ".bmp"; none for None.
// A skin finds it among its resources by this name.
constexpr const char* ArtworkName(Artwork artwork) {
  switch (artwork) {
    case Artwork::Main:
      return "imgMain";
    case Artwork::SinglePlayer:
      return "imgSP";
    case Artwork::MultiPlayer:
      return "imgMP";
    case Artwork::Join:
      return "imgJoin";
    case Artwork::StartSinglePlayer:
      return "imgStartSP";
    case Artwork::Tile:
      return "imgTile";
    case Artwork::Logo:
      return "imgLogo1";
    case Artwork::None:
      break;
  }
  return nullptr;
}

// What a click on an image does: the behaviour runs the handler of the action an image's row names.
enum class ClickAction { None, ShowMainPanel, ShowStartPanel, Beep, StartGame };

// What a control is to a screen reader, where its toolkit cannot tell: the images are drawn by
// the launcher, so only it knows which of them act, which mean something and which only adorn.
enum class AccessibleRole {
  Standard,    // what the toolkit makes of the control's kind
  PushButton,  // a clickable image, pressed like a button
  Graphic,     // an image that shows something worth naming
  Decoration,  // drawn for the look only: kept out of what a screen reader reads
};

struct ControlDescription {
  const char* name;
  ControlKind kind;
  Container container;
  TwipsRect place;
  // The text at creation (a label's caption, a field's initial text); empty for none.
  const char* text;
  Artwork picture;
  ClickAction click;
  // 1-based place in the window's focus order; 0 for a control that takes no focus.
  int focusOrder;
  bool visible;
  // The title font instead of the default one (labels only).
  bool titleFont;
  // What a screen reader calls the control; empty where the toolkit names it (a label by its
  // text), where it has nothing to name, and for the preview, which the map's title names.
  const char* accessibleName;
  AccessibleRole accessibleRole;
};

struct WindowFrame {
  const char* caption;
  // The client area when first shown, in twips.
  int clientWidth;
  int clientHeight;
  bool resizable;
};

struct FontDescription {
  const char* face;
  double points;
  int weight;
  bool italic;
};

enum class Menu { Bar, File, Tools, Help };
enum class MenuCommand { None, Exit, DebugWindow, SetQuakeDirectory, About };

struct MenuItemDescription {
  const char* name;
  // Where the item lies: on the menu bar, or in one of its menus.
  Menu parent;
  // The menu a bar item opens (Menu::Bar for an item inside a menu).
  Menu opens;
  // "&" marks the access key; a separator's caption is "-".
  const char* caption;
  bool separator;
  bool visible;
  bool enabled;
  MenuCommand command;
};

// ---- The main window -------------------------------------------------------------------------

// The main window's controls, in the rows' order of the table below.
enum class MainControl : std::size_t {
  picMain,
  listMap,
  txtCpar,
  comboEXE,
  lblCustomPar,
  lblMapDes,
  lblMapTitle,
  imgLevel,
  lblMap,
  lblExe,
  picSP,
  imgStartSP,
  lblTitle,
  Line1,
  imgJoin,
  imgMain,
  imgMP,
  imgSP,
  imgTile6,
  imgTile5,
  imgTile4,
  imgTile3,
  imgTile2,
  imgTile1,
  imgLogo1,
  Count,
};

inline constexpr WindowFrame kMainWindowFrame{"Tarnfield - Kovar Launcher", 5985, 4365, false};

inline constexpr Colour kWindowBackground = 0x000000;
inline constexpr Colour kLabelText = 0xFFFFFF;
inline constexpr Colour kFieldBackground = 0x000000;
inline constexpr Colour kFieldText = 0xFFFFFF;
inline constexpr Colour kLineColour = 0xFFFFFF;
// The black fields would be invisible on the black window without a lighter frame.
inline constexpr Colour kFieldFrame = 0xA0A0A0;

inline constexpr FontDescription kTitleFont{"MS Sans Serif", 9.75, 700, true};

// Every control, in stacking order: within one container a row lies in front of every later row.
// clang-format off
inline constexpr std::array<ControlDescription, static_cast<std::size_t>(MainControl::Count)>
    kMainWindowControls = {{
    // name, kind, container, {left, top, width, height} in twips, text, artwork, click, focus order, visible, title font, accessible name, accessible role
    {"picMain", ControlKind::Panel, Container::Window, {2040, 1320, 3855, 3015}, "", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"listMap", ControlKind::MapBox, Container::MainPanel, {0, 840, 1575, 1350}, "", Artwork::None, ClickAction::None, 3, true, false, "Map", AccessibleRole::Standard},
    {"txtCpar", ControlKind::TextBox, Container::MainPanel, {0, 2640, 3855, 285}, "", Artwork::None, ClickAction::None, 2, true, false, "Custom Parameters", AccessibleRole::Standard},
    {"comboEXE", ControlKind::EngineBox, Container::MainPanel, {0, 240, 1575, 315}, kInitialEngine, Artwork::None, ClickAction::None, 1, true, false, "EXE", AccessibleRole::Standard},
    {"lblCustomPar", ControlKind::Label, Container::MainPanel, {0, 2400, 3855, 255}, "Custom Parameters:", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"lblMapDes", ControlKind::Label, Container::MainPanel, {1800, 1800, 2055, 615}, "", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"lblMapTitle", ControlKind::Label, Container::MainPanel, {1800, 0, 2055, 255}, "", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"imgLevel", ControlKind::Picture, Container::MainPanel, {1800, 240, 1800, 1350}, "", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Graphic},
    {"lblMap", ControlKind::Label, Container::MainPanel, {0, 600, 615, 255}, "Map:", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"lblExe", ControlKind::Label, Container::MainPanel, {0, 0, 495, 255}, "EXE:", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Standard},
    {"picSP", ControlKind::Panel, Container::Window, {2040, 1320, 3855, 2895}, "", Artwork::None, ClickAction::None, 0, false, false, "", AccessibleRole::Standard},
    {"imgStartSP", ControlKind::ClickableImage, Container::StartPanel, {960, 0, 1800, 480}, "", Artwork::StartSinglePlayer, ClickAction::StartGame, 0, true, false, "Start", AccessibleRole::PushButton},
    {"lblTitle", ControlKind::Label, Container::Window, {2040, 960, 3855, 255}, "Main", Artwork::None, ClickAction::None, 0, true, true, "", AccessibleRole::Standard},
    {"Line1", ControlKind::Line, Container::Window, {2040, 1200, 3840, 0}, "", Artwork::None, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgJoin", ControlKind::ClickableImage, Container::Window, {120, 2640, 1800, 480}, "", Artwork::Join, ClickAction::Beep, 0, true, false, "Join", AccessibleRole::PushButton},
    {"imgMain", ControlKind::ClickableImage, Container::Window, {120, 840, 1800, 480}, "", Artwork::Main, ClickAction::ShowMainPanel, 0, true, false, "Main", AccessibleRole::PushButton},
    {"imgMP", ControlKind::ClickableImage, Container::Window, {120, 2040, 1800, 480}, "", Artwork::MultiPlayer, ClickAction::Beep, 0, true, false, "Multi Player", AccessibleRole::PushButton},
    {"imgSP", ControlKind::ClickableImage, Container::Window, {120, 1440, 1800, 480}, "", Artwork::SinglePlayer, ClickAction::ShowStartPanel, 0, true, false, "Single Player", AccessibleRole::PushButton},
    {"imgTile6", ControlKind::Picture, Container::Window, {5760, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgTile5", ControlKind::Picture, Container::Window, {5520, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgTile4", ControlKind::Picture, Container::Window, {5280, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgTile3", ControlKind::Picture, Container::Window, {5040, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgTile2", ControlKind::Picture, Container::Window, {4800, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgTile1", ControlKind::Picture, Container::Window, {4560, 0, 240, 960}, "", Artwork::Tile, ClickAction::None, 0, true, false, "", AccessibleRole::Decoration},
    {"imgLogo1", ControlKind::Picture, Container::Window, {0, 0, 4680, 960}, "", Artwork::Logo, ClickAction::None, 0, true, false, "Kovar Launcher", AccessibleRole::Graphic},
}};
// clang-format on

constexpr const ControlDescription& Describe(MainControl control) {
  return kMainWindowControls[static_cast<std::size_t>(control)];
}

// The labels that wrap their text at word breaks: only the map description, several lines high.
constexpr bool WrapsText(MainControl control) { return control == MainControl::lblMapDes; }

// The label that captions a field, for the screen reader's "labelled by"; Count for none.
constexpr MainControl CaptionOf(MainControl field) {
  switch (field) {
    case MainControl::comboEXE:
      return MainControl::lblExe;
    case MainControl::listMap:
      return MainControl::lblMap;
    case MainControl::txtCpar:
      return MainControl::lblCustomPar;
    default:
      return MainControl::Count;
  }
}

// The panel control that is a container.
constexpr MainControl PanelOf(Container container) {
  return container == Container::StartPanel ? MainControl::picSP : MainControl::picMain;
}

// A window's rows in the order Tab visits them: the rows that take the focus, by their focus
// order, then every other row in table order. `focusable` counts the first ones.
template <std::size_t N>
struct TabOrder {
  std::array<std::size_t, N> rows{};
  std::size_t focusable = 0;
};

template <std::size_t N>
constexpr TabOrder<N> TabOrderOf(const std::array<ControlDescription, N>& table) {
  TabOrder<N> order;
  std::size_t next = 0;
  for (int focus = 1; focus <= static_cast<int>(N); ++focus) {
    for (std::size_t row = 0; row < N; ++row) {
      if (table[row].focusOrder == focus) order.rows[next++] = row;
    }
  }
  order.focusable = next;
  for (std::size_t row = 0; row < N; ++row) {
    if (table[row].focusOrder <= 0) order.rows[next++] = row;
  }
  return order;
}

// A container's rows in the order a screen reader reads them: as the window is laid out, column
// by column from the left, each column from the top (rows that start at one point keep the
// table's order); decoration is left out. `count` counts the rows read. A skin leaves out a
// hidden panel, with all it holds, until it is shown.
template <std::size_t N>
struct ReadingOrder {
  std::array<std::size_t, N> rows{};
  std::size_t count = 0;
};

template <std::size_t N>
constexpr ReadingOrder<N> ReadingOrderOf(const std::array<ControlDescription, N>& table,
                                         Container container) {
  ReadingOrder<N> order;
  for (std::size_t row = 0; row < N; ++row) {
    if (table[row].container != container ||
        table[row].accessibleRole == AccessibleRole::Decoration) {
      continue;
    }
    // Placed by insertion after every row read before it.
    std::size_t at = order.count;
    const TwipsRect& place = table[row].place;
    while (at > 0) {
      const TwipsRect& before = table[order.rows[at - 1]].place;
      if (before.left < place.left || (before.left == place.left && before.top <= place.top)) break;
      order.rows[at] = order.rows[at - 1];
      --at;
    }
    order.rows[at] = row;
    ++order.count;
  }
  return order;
}

// The image whose click shows a panel: the panel is named as it is.
constexpr MainControl PanelShownBy(MainControl panel) {
  return panel == MainControl::picSP ? MainControl::imgSP : MainControl::imgMain;
}

// What a screen reader calls a panel, and announces when the panel is shown.
constexpr const char* PanelName(MainControl panel) {
  return Describe(PanelShownBy(panel)).accessibleName;
}

// How a screen reader describes the chosen entry of the map list once its map is shown: the
// map's title and description as the labels show them, the empty ones left out.
std::string ChosenMapDescription(const std::string& title, const std::string& description);

// The menu bar and its menus, in the order they are shown.
inline constexpr std::array<MenuItemDescription, 12> kMainMenu = {{
    {"menuFile", Menu::Bar, Menu::File, "&File", false, true, true, MenuCommand::None},
    {"menuNew", Menu::File, Menu::Bar, "&Reset Settings", false, false, false, MenuCommand::None},
    {"menuOpen", Menu::File, Menu::Bar, "&Open Settings", false, false, false, MenuCommand::None},
    {"menuSave", Menu::File, Menu::Bar, "&Save Settings", false, false, false, MenuCommand::None},
    // Not selectable: shown, but disabled (a toolkit may not be able to hide and enable at once).
    {"menuSep1", Menu::File, Menu::Bar, "-", true, true, false, MenuCommand::None},
    {"menuExit", Menu::File, Menu::Bar, "E&xit", false, true, true, MenuCommand::Exit},
    {"menuTools", Menu::Bar, Menu::Tools, "&Tools", false, true, true, MenuCommand::None},
    // Shown greyed: the debug console cannot be opened from the menu.
    {"menuDebugMode", Menu::Tools, Menu::Bar, "&Debug Window", false, true, false,
     MenuCommand::DebugWindow},
    {"menuSQD", Menu::Tools, Menu::Bar, "&Set Quake Directory", false, true, true,
     MenuCommand::SetQuakeDirectory},
    {"menuOptions", Menu::Tools, Menu::Bar, "&Options", false, false, false, MenuCommand::None},
    {"menuHelp", Menu::Bar, Menu::Help, "&Help", false, true, true, MenuCommand::None},
    {"menuAbout", Menu::Help, Menu::Bar, "&About", false, true, true, MenuCommand::About},
}};

// The application's name: the title of its message boxes.
inline constexpr char kApplicationName[] = "Kovar Launcher";
// The About text; its lone carriage return is the line break.
inline constexpr char kAboutText[] = "Kovar Launcher By Velmont\rVersion 0.1";

// Which panels are visible.
struct PanelVisibility {
  bool mainPanel = true;
  bool startPanel = false;
  constexpr bool operator==(const PanelVisibility&) const = default;
};

// The panels after a click: a panel switch hides both panels, then shows its own; any other
// click leaves them as they are.
PanelVisibility PanelsAfter(ClickAction click, PanelVisibility now);

// ---- The debug console -----------------------------------------------------------------------

enum class DebugControl : std::size_t { cmdSend, txtMain, listDebug, Count };

inline constexpr WindowFrame kDebugWindowFrame{"Debug", 4680, 3195, true};

// Front-most first. The list's size is only a start: the resize rule replaces it.
// clang-format off
inline constexpr std::array<ControlDescription, static_cast<std::size_t>(DebugControl::Count)>
    kDebugWindowControls = {{
    // name, kind, container, {left, top, width, height} in twips, text, artwork, click, focus order, visible, title font, accessible name, accessible role
    {"cmdSend", ControlKind::Button, Container::Window, {4320, 0, 255, 255}, "", Artwork::None, ClickAction::None, 3, true, false, "Send", AccessibleRole::PushButton},
    {"txtMain", ControlKind::TextBox, Container::Window, {0, 0, 4215, 285}, "", Artwork::None, ClickAction::None, 2, true, false, "Command", AccessibleRole::Standard},
    {"listDebug", ControlKind::List, Container::Window, {0, 360, 1575, 840}, "", Artwork::None, ClickAction::None, 1, true, false, "Log", AccessibleRole::Standard},
}};
// clang-format on

constexpr const ControlDescription& Describe(DebugControl control) {
  return kDebugWindowControls[static_cast<std::size_t>(control)];
}

// The resize rule, in pixels at `dpi`: the list keeps its left and top and fills the rest of the
// client area. A client area lower than the list's top (a minimised window) gives the list no
// height.
PixelsRect DebugListPlace(int clientWidthPixels, int clientHeightPixels, int dpi = kStandardDpi);

}  // namespace kovar
