// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's behaviour, once for every skin: what its creation shows, the three fields
// bound to the launcher state both ways, choosing a list entry, the handlers of the images' clicks
// and of the menu's commands; closing and Exit ask the program to end.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "Desktop.h"
#include "LauncherState.h"
#include "MainView.h"
#include "WindowDescription.h"

namespace kovar {

class DebugBehaviour;
class Launcher;
class LauncherProgram;

class MainBehaviour : private StateObserver, private Desktop::BoxObserver {
 public:
  // The program and the desktop must outlive the window.
  MainBehaviour(LauncherProgram& program, Desktop& desktop);
  ~MainBehaviour() override;
  MainBehaviour(const MainBehaviour&) = delete;
  MainBehaviour& operator=(const MainBehaviour&) = delete;

  // The console its "Debug Window" item shows.
  void SetConsole(DebugBehaviour* console) { console_ = console; }

  // The view's controls exist: they show the launcher state as it stands (a start script's
  // values are never overwritten), then the engine list and the map scan fill the lists. The
  // view must outlive the window.
  void Form_Load(MainView& view);

  // Events the view reports; before the view is loaded and after the end none of them does
  // anything.
  // The player changed a field's text to `bytes`.
  void PlayerEdited(MainControl control, const std::string& bytes);
  // The player chose entry `entry` of a list.
  void PlayerChose(MainControl control, std::size_t entry);
  void ImageClicked(MainControl control);
  // A press through the accessibility interface, which reaches a control whatever covers it:
  // carried out only when CanPress says a click could do the same now.
  void ControlPressed(MainControl control);
  // True when `control` is a push button that a click could reach now: on a panel that is shown,
  // with no modal box open, the program not ending. Asked again when a press is carried out.
  bool CanPress(MainControl control) const;
  // True when `control` is a field that the player could type in now, by the same rule: an edit
  // through the accessibility interface is made only then.
  bool CanEdit(MainControl control) const;
  void MenuChosen(MenuCommand command);
  // The player closed the window.
  void Form_Unload();

  PanelVisibility Panels() const { return panels_; }
  // The program has ended: the view ends its event loop.
  void EndView();

 private:
  // Keyboard focus never rests on a hidden control: it leaves a panel that hides for the window
  // itself, and comes back when the panel shows again; after the program's boxes, it returns to
  // where it was if that still shows.
  void BoxesOpening() override;
  void BoxesClosed() override;
  // True when `control` (Count: the window itself) is on the window or a panel that shows.
  bool Shown(MainControl control) const;
  void HidePanel(MainControl panel);

  void TextChanged(TextField field) override;
  void MapTextChanged(MapText text) override;
  void ListChanged(ListField field) override;
  Result PreviewChanged() override;

  // On a panel that is shown (or on the window, and visible), no box open, the program not ending.
  bool Reachable(MainControl control) const;
  void ShowText(TextField field);
  void ShowMapText(MapText text);
  // Gives a control its text, noting what it holds then.
  void Show(MainControl control, const std::string& text);
  void ShowList(ListField field);
  // The chosen entry of the map list, while it names the map shown, is described by it.
  void DescribeChosenMap();

  // The image and menu handlers, which ImageClicked, by the image's click in the description, and
  // MenuChosen run by one table.
  void RunHandler(std::variant<ClickAction, MenuCommand> source);
  void imgMain_Click();
  void imgSP_Click();
  // imgMP's and imgJoin's.
  void Beep_Click();
  void imgStartSP_Click();
  void menuExit_Click();
  void menuSQD_Click();
  void menuDebugMode_Click();
  void menuAbout_Click();
  void listMap_Click();
  // A panel switch: both panels hidden, then its own shown.
  void ShowPanelAfter(ClickAction panelSwitch);

  LauncherProgram& program_;
  Launcher& launcher_;
  Desktop& desktop_;
  MainView* view_ = nullptr;
  DebugBehaviour* console_ = nullptr;
  PanelVisibility panels_;
  // The map list's entry the player last chose, until the list is filled again.
  std::optional<std::size_t> chosenMap_;
  // Where the focus was in each hidden panel (main, start), and when the first box opened.
  std::array<MainControl, 2> focusInHidden_{MainControl::Count, MainControl::Count};
  MainControl focusBeforeBox_ = MainControl::Count;
  // What each field control held, read back, when it was last given the state's value: an
  // edit that leaves it so keeps the value's own bytes.
  std::array<std::string, static_cast<std::size_t>(MainControl::Count)> shown_;
  // Set while a player's edit is handed to the core, so that its echo does not rewrite the
  // field the player is typing in.
  bool takingEdit_ = false;
  // Set while the view is told a text, which a toolkit may report back as an edit.
  bool settingText_ = false;
};

}  // namespace kovar
