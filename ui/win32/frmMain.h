// The main window on Windows: the logo band, the navigation images, the two panels with the map
// and engine boxes and the start image, and the menus, all built from the window description. It
// shows the launcher state and hands the player's edits and actions to the core.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "LauncherState.h"
#include "MainMenu.h"
#include "WindowDescription.h"

namespace kovar {
class Launcher;
}

namespace kovar::win32 {

// Control numbers: a row's number in the control table, from this. None is 1 or 2 (IDOK and
// IDCANCEL), which Enter and Escape would trigger.
inline constexpr int kFirstControlId = 1000;

constexpr int ControlId(MainControl control) { return kFirstControlId + static_cast<int>(control); }

class frmMain : public StateObserver {
 public:
  explicit frmMain(Launcher& launcher);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  HWND Window() const { return window_; }
  HWND Control(MainControl control) const { return controls_[static_cast<std::size_t>(control)]; }

  // Shows the window, modeless.
  void Show();
  // What shows the debug console when its menu item is chosen.
  void SetDebugWindowShower(std::function<void()> show);
  // What ends the program once the settings are saved (by default, leaving the message loop).
  void SetProgramEnder(std::function<void()> end);
  // What happens first when Windows ends the session: failures must no longer wait on a box.
  void SetSessionEndNotice(std::function<void()> notice);
  // True once the program's end has begun: the settings were saved and nothing else may run.
  bool Ended() const { return ended_; }

  // StateObserver: shows the core's values in the controls.
  void TextChanged(TextField field) override;
  void ListChanged(ListField field) override;
  void LogAppended(std::size_t index) override;
  // Shows the state's preview picture in imgLevel at its own size; says why when Windows cannot.
  Result PreviewChanged() override;

 private:
  template <typename Owner>
  friend LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  HWND MakeControl(const ControlDescription& row, int id);
  void OnCommand(int id, int code);
  void OnClick(MainControl control);
  void ShowText(TextField field);
  void ShowList(ListField field);
  // Sets a control's text without taking it for the player's edit.
  void SetControlText(HWND control, const std::string& text);
  void PlayerEdited(TextField field, HWND control);
  void PlayerChose(TextField field, ListField list, HWND combo);
  void EndProgram();

  void Form_Load();
  void Form_Unload();
  void menuExit_Click();
  void menuSQD_Click();
  void menuDebugMode_Click();
  void menuAbout_Click();
  void imgMain_Click();
  void imgSP_Click();
  void imgMP_Click();
  void imgJoin_Click();
  void imgStartSP_Click();
  void listMap_Click();
  void HidePanels();

  Launcher& launcher_;
  HWND window_ = nullptr;
  HFONT titleFont_ = nullptr;
  std::array<HWND, static_cast<std::size_t>(MainControl::Count)> controls_{};
  std::function<void()> showDebugWindow_;
  std::function<void()> endProgram_;
  std::function<void()> sessionEnding_;
  bool ended_ = false;
  // Set while a player's edit is handed to the core, so that its echo does not rewrite the field
  // the player is typing in.
  bool takingEdit_ = false;
  // Set while the window itself sets a control's text, which Windows reports as an edit.
  bool settingText_ = false;
};

}  // namespace kovar::win32
