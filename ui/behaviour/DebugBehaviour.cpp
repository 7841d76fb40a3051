// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The send action, the log and the resize rule of the debug console.
#include "DebugBehaviour.h"

#include "Launcher.h"

namespace kovar {

DebugBehaviour::DebugBehaviour(Launcher& launcher) : launcher_(launcher) {}

DebugBehaviour::~DebugBehaviour() {
  if (view_) launcher_.State().RemoveObserver(this);
}

void DebugBehaviour::ControlsMade(DebugView& view) {
  if (!view_) launcher_.State().AddObserver(this);
  view_ = &view;
  shown_ = 0;
  ShowPendingLog();
}

void DebugBehaviour::Show() {
  if (!view_) return;
  ShowPendingLog();
  view_->ShowWindow();
}

void DebugBehaviour::cmdSend_Click(const std::string& typed) {
  // The core has shown what failed.
  const bool ran = launcher_.RunCommand(typed).ok();
  if (!view_) return;
  ShowPendingLog();
  if (ran) view_->ClearLine();
}

void DebugBehaviour::Form_Resize(int clientWidthPixels, int clientHeightPixels, int dpi) {
  if (view_)
    view_->Place(DebugControl::listDebug,
                 DebugListPlace(clientWidthPixels, clientHeightPixels, dpi));
}

void DebugBehaviour::ShowPendingLog() {
  turnAsked_ = false;
  const std::vector<std::string>& log = launcher_.State().Log();
  if (!view_ || log.size() <= shown_) return;
  const std::size_t first = shown_;
  shown_ = log.size();
  view_->ShowLog(log, first);
}

void DebugBehaviour::LogAppended(std::size_t) {
  if (turnAsked_) return;
  turnAsked_ = true;
  view_->CallAtNextTurn();
}

}  // namespace kovar
