// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on Windows: the logo band, the navigation images, the two panels with the map
// and engine boxes and the start image, and the menus, all built from the window description. It
// is a view of MainBehaviour: it shows what it is told and reports the player's actions to it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "DrawnControls.h"
#include "MainMenu.h"
#include "MainView.h"
#include "MainBehaviour.h"
#include "WindowDescription.h"

namespace kovar {

class frmMain : public MainView {
 public:
  // A view of `behaviour`, which must outlive it.
  explicit frmMain(MainBehaviour& behaviour);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  HWND Window() const { return window_; }
  // The window of a panel or field; none for the controls the window draws.
  HWND Control(MainControl control) const { return controls_[static_cast<std::size_t>(control)]; }
  const DrawnControls& Drawn() const { return drawn_; }
  MainBehaviour& Behaviour() { return behaviour_; }

  // Shows the window, modeless.
  void Show();
  // What ends the program once the settings are saved (by default, leaving the message loop).
  void SetProgramEnder(std::function<void()> end);
  // Where the session's end is reported: the program's end for the system.
  void SetSessionEnder(std::function<void()> ended) { sessionEnded_ = std::move(ended); }

  // MainView
  std::string SetText(MainControl control, const std::string& bytes) override;
  void SetList(MainControl control, const std::vector<std::string>& entries) override;
  void SetVisible(MainControl control, bool visible) override;
  MainControl Focused() const override;
  void Focus(MainControl control) override;
  void SetAccessibleName(MainControl control, const std::string& bytes) override;
  void Announce(MainControl panel) override;
  void DescribeEntry(MainControl list, std::size_t entry, const std::string& bytes) override;
  Result ShowPicture(MainControl control, const Bitmap& picture) override;
  void Beep() override;
  void ShowMessage(const std::string& text) override;
  void End() override;

 private:
  template <typename Owner>
  friend LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  // A field of each kind, in `container` (a panel).
  HWND MakeField(MainControl control, HWND container);
  HWND MakeChild(MainControl control, HWND container, const char* windowClass, DWORD style,
                 DWORD exStyle);
  HWND MakeComboBox(MainControl control, HWND container);
  HWND MakeTextBox(MainControl control, HWND container);
  // Lays every control out again, with its fonts, for a monitor of `dpi` dots per inch.
  void ScaleTo(int dpi);
  // A control's font at the window's scale.
  HFONT FontFor(const ControlDescription& row) const;
  void OnCommand(int id, int code);
  // True while the focus is in the window.
  bool Active() const;
  // On activation (a box closed, the player back), the control that had the focus before, if it
  // still shows.
  void RestoreFocus();

  MainBehaviour& behaviour_;
  HWND window_ = nullptr;
  // The dots per inch the window is laid out for.
  int dpi_ = kStandardDpi;
  HFONT titleFont_ = nullptr;
  DrawnControls drawn_;
  std::array<HWND, static_cast<std::size_t>(MainControl::Count)> controls_{};
  std::function<void()> endProgram_;
  std::function<void()> sessionEnded_;
  // The focus when the window last lost the activation.
  HWND focusBeforeDeactivation_ = nullptr;
  // What a screen reader hears of the map list's entries besides their names.
  std::map<std::size_t, std::string> entryDescriptions_;
};

}  // namespace kovar
