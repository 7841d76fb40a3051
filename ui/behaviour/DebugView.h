// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the debug console's behaviour asks of a skin: a passive view of its three controls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "WindowDescription.h"

namespace kovar {

class DebugView {
 public:
  virtual ~DebugView() = default;

  // The log's entries from `first` on are new: they are appended after those shown, none
  // selected or scrolled to. `log` is the launcher's, which outlives the view.
  virtual void ShowLog(const std::vector<std::string>& log, std::size_t first) = 0;
  // Asks for DebugBehaviour::ShowPendingLog once the event loop next runs.
  virtual void CallAtNextTurn() = 0;
  // Empties the line to send.
  virtual void ClearLine() = 0;
  virtual void Place(DebugControl control, const PixelsRect& place) = 0;
  // Makes the window visible, modeless and without an owner; restores it when minimised.
  virtual void ShowWindow() = 0;
};

}  // namespace kovar
