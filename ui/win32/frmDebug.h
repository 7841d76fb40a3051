// The debug console on Windows: the log of executed command lines, a line to send, and the
// resize rule, built from the window description.
#pragma once

#include <windows.h>

#include <array>

#include "LauncherState.h"
#include "WindowDescription.h"

namespace kovar {
class Launcher;
}

namespace kovar::win32 {

constexpr int DebugControlId(DebugControl control) { return 1000 + static_cast<int>(control); }

class frmDebug : public StateObserver {
 public:
  // Creates the window, hidden, with the log so far; it follows the log from then on.
  explicit frmDebug(Launcher& launcher);
  ~frmDebug() override;
  frmDebug(const frmDebug&) = delete;
  frmDebug& operator=(const frmDebug&) = delete;

  HWND Window() const { return window_; }
  HWND Control(DebugControl control) const { return controls_[static_cast<std::size_t>(control)]; }

  // Shows the window, modeless and without an owner; restores it when minimised.
  void ShowWindow();

  void TextChanged(TextField) override {}
  void ListChanged(ListField) override {}
  void LogAppended(std::size_t index) override;

 private:
  template <typename Owner>
  friend LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void cmdSend_Click();
  void Form_Resize(int clientWidth, int clientHeight);

  Launcher& launcher_;
  HWND window_ = nullptr;
  std::array<HWND, static_cast<std::size_t>(DebugControl::Count)> controls_{};
};

}  // namespace kovar::win32
