// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The debug console's behaviour, once for every skin: it shows the log as it grows, in batches,
// runs the line that is sent, and keeps the list filling the window.
#pragma once

#include <cstddef>
#include <string>

#include "DebugView.h"
#include "LauncherState.h"

namespace kovar {

class Launcher;

class DebugBehaviour : private StateObserver {
 public:
  // The launcher must outlive the console.
  explicit DebugBehaviour(Launcher& launcher);
  ~DebugBehaviour() override;
  DebugBehaviour(const DebugBehaviour&) = delete;
  DebugBehaviour& operator=(const DebugBehaviour&) = delete;

  // The view's controls exist: it shows the log so far and follows it from now on. The view must
  // outlive the console.
  void ControlsMade(DebugView& view);
  // Shows the window (the main window's "Debug Window" item).
  void Show();

  // Events the view reports, once its controls are made.
  // `typed` is the line as the player typed it; it is cleared only when it ran without failure,
  // so that a failed line can be corrected.
  void cmdSend_Click(const std::string& typed);
  // The client area's new size, in pixels at the window's dots per inch.
  void Form_Resize(int clientWidthPixels, int clientHeightPixels, int dpi = kStandardDpi);
  // The event loop runs again: the lines logged since the last batch reach the view as one.
  void ShowPendingLog();

 private:
  // Command files can run a hundred thousand lines inside one call, while no event is handled:
  // the first line of a batch asks for the next turn of the event loop, the rest cost one test.
  void LogAppended(std::size_t index) override;

  Launcher& launcher_;
  DebugView* view_ = nullptr;
  // The entries the view was given.
  std::size_t shown_ = 0;
  bool turnAsked_ = false;
};

}  // namespace kovar
