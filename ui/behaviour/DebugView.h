// What the debug console's behaviour asks of a skin: a passive view of its three controls.
#pragma once

#include <string>
#include <vector>

#include "WindowDescription.h"

namespace kovar {

class DebugView {
 public:
  virtual ~DebugView() = default;

  // The log grew: the entries after those already shown are appended, none selected or scrolled
  // to. A view may show them when its event loop next runs.
  virtual void ShowLog(const std::vector<std::string>& log) = 0;
  // Empties the line to send.
  virtual void ClearLine() = 0;
  virtual void Place(DebugControl control, const PixelsRect& place) = 0;
  // Makes the window visible, modeless and without an owner; restores it when minimised.
  virtual void ShowWindow() = 0;
};

}  // namespace kovar
