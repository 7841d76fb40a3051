// The send action, the log and the resize rule of the debug console.
#include "DebugConsole.h"

#include "Launcher.h"

namespace kovar {

DebugConsole::DebugConsole(Launcher& launcher) : launcher_(launcher) {}

DebugConsole::~DebugConsole() {
  if (view_) launcher_.State().RemoveObserver(this);
}

void DebugConsole::ControlsMade(DebugView& view) {
  if (!view_) launcher_.State().AddObserver(this);
  view_ = &view;
  view_->ShowLog(launcher_.State().Log());
}

void DebugConsole::cmdSend_Click(const std::string& typed) {
  // The core has shown what failed.
  if (launcher_.RunCommand(typed).ok() && view_) view_->ClearLine();
}

void DebugConsole::Form_Resize(int clientWidthPixels, int clientHeightPixels, int dpi) {
  if (view_)
    view_->Place(DebugControl::listDebug,
                 DebugListPlace(clientWidthPixels, clientHeightPixels, dpi));
}

void DebugConsole::LogAppended(std::size_t) { view_->ShowLog(launcher_.State().Log()); }

}  // namespace kovar
