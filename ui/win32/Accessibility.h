// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the launcher's windows on Windows (MSAA): a control that answers
// WM_GETOBJECT with an accessible object of its own, named and given its role as its row in the
// window description says, over the system's standard object for everything else.
#pragma once

#include <windows.h>

#include <string>

#include "WindowDescription.h"

namespace kovar {

// A control's accessible object asks its top-level window whether the control can be used now (a
// push button pressed, a field edited), sending it this message, private to the launcher's
// windows, with the control's number as wParam. The answer is kUsable or kNotUsable; a window that
// does not decide answers 0, and then a visible, enabled control in an enabled window is usable.
inline constexpr UINT kCanUseMessage = WM_APP + 0x0B50;
inline constexpr LRESULT kUsable = 1;
inline constexpr LRESULT kNotUsable = 2;
// The notification of the WM_COMMAND that carries a press out in a window that decides, which
// asks again then: it is posted, and may arrive after a box has opened.
inline constexpr WORD kPressNotification = 0x4B50;

// The top-level window is asked for the description of entry lParam of the list `wParam` (its
// window) with this message; it answers with a `const std::string*`, or 0 where it has none.
inline constexpr UINT kDescribeEntryMessage = WM_APP + 0x4B51;

// A child of a container's client object, by child id (its place in the reading, from 1): a
// window of its own, whose object tells of it, or a control that the container draws itself.
struct DrawnChild {
  HWND window = nullptr;  // the child's window; none for a drawn control
  int number = 0;         // its control number: a click or press is a WM_COMMAND with it
  std::string name;
  AccessibleRole role = AccessibleRole::Graphic;
  bool label = false;  // read as static text
  RECT place{};        // on the screen
};

// What a container holds for a screen reader, windows and drawn controls alike, in the order it
// is read, the first 0.
class DrawnChildren {
 public:
  virtual int Count(HWND container) const = 0;
  virtual DrawnChild Child(HWND container, int index) const = 0;
  // The drawn control in front at a point of the screen; -1 for none.
  virtual int At(HWND container, POINT screen) const = 0;

 protected:
  ~DrawnChildren() = default;
};

// Answers WM_GETOBJECT for the control's client object with one that says `name` (bytes in the
// ANSI code page) and `role`, and has the `drawn` children in their order; a push
// button's default action, "Press", is its click, posted to the window that handles it, which is
// asked first whether the button can be pressed now; a field's value is set only where the window
// says it can be edited now. `number` is the control's number, for the window to know it by.
// Returns 0 for any other object: the window procedure then passes the message on.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, int number,
                        const std::string& name, AccessibleRole role,
                        const DrawnChildren* drawn = nullptr);

// Gives a standard control (an edit field, a combo box with its field and list, a list box, a
// button) the name and role of its row for screen readers, whatever its text or the label before
// it says. `row` is one of the description's tables' rows, which live as long as the program.
void DescribeForScreenReaders(HWND control, const ControlDescription& row);

// After `panel` was shown or hidden: screen readers read its container's children again, and
// those that keep the panel's client object hear that it was hidden (the system's standard
// objects say invisible of a hidden window and of all in it).
void TellPanelShown(HWND panel, bool shown);
// Presents a panel just shown: screen readers hear it shown, by its name.
void AnnouncePanel(HWND panel);

// Takes DescribeForScreenReaders back from one window (the combo box's list alone, say), until it
// is given again: every message to a described window passes the system's subclass dispatch,
// which under Wine asks the server for the window's property each time.
void ForgetForScreenReaders(HWND control);

}  // namespace kovar
