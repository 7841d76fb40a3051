// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The debug console on Windows, built from the window description: a view of DebugBehaviour that
// shows the log, the line to send and the list's place as it is told.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "DebugBehaviour.h"
#include "DebugView.h"
#include "WindowDescription.h"

namespace kovar {

constexpr int DebugControlId(DebugControl control) { return 1000 + static_cast<int>(control); }

class frmDebug : public DebugView {
 public:
  // Creates the window, hidden, with the log so far; it follows the log from then on.
  // A view of `behaviour`, which must outlive it.
  explicit frmDebug(DebugBehaviour& behaviour);
  ~frmDebug() override;
  frmDebug(const frmDebug&) = delete;
  frmDebug& operator=(const frmDebug&) = delete;

  HWND Window() const { return window_; }
  HWND Control(DebugControl control) const { return controls_[static_cast<std::size_t>(control)]; }

  DebugBehaviour& Behaviour() { return behaviour_; }

  // DebugView
  void ShowLog(const std::vector<std::string>& log, std::size_t first) override;
  void CallAtNextTurn() override;
  void ClearLine() override;
  void Place(DebugControl control, const PixelsRect& place) override;
  void ShowWindow() override;

 private:
  template <typename Owner>
  friend LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND MakeControl(DebugControl control);

  DebugBehaviour& behaviour_;
  HWND window_ = nullptr;
  // The dots per inch the window is laid out for.
  int dpi_ = kStandardDpi;
  std::array<HWND, static_cast<std::size_t>(DebugControl::Count)> controls_{};
};

}  // namespace kovar
