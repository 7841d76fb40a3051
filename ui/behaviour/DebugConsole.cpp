// The send action, the log and the resize rule of the debug console.
#include "DebugConsole.h"

#include "Launcher.h"

namespace kovar {

DebugConsole::DebugConsole(Launcher& launcher, DebugView& view)
    : launcher_(launcher), view_(view) {}

DebugConsole::~DebugConsole() {
  if (following_) launcher_.State().RemoveObserver(this);
}

void DebugConsole::ControlsMade() {
  view_.ShowLog(launcher_.State().Log());
  if (!following_) launcher_.State().AddObserver(this);
  following_ = true;
}

void DebugConsole::cmdSend_Click(const std::string& typed) {
  // The core has shown what failed.
  if (launcher_.RunCommand(typed).ok()) view_.ClearLine();
}

void DebugConsole::Form_Resize(int clientWidthPixels, int clientHeightPixels, int dpi) {
  view_.Place(DebugControl::listDebug, DebugListPlace(clientWidthPixels, clientHeightPixels, dpi));
}

void DebugConsole::LogAppended(std::size_t) { view_.ShowLog(launcher_.State().Log()); }

}  // namespace kovar
