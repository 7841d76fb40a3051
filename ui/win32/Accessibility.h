// What a screen reader finds in the launcher's windows on Windows (MSAA): a control that answers
// WM_GETOBJECT with an accessible object of its own, named and given its role as its row in the
// window description says, over the system's standard object for everything else.
#pragma once

#include <windows.h>

#include <string>

#include "WindowDescription.h"

namespace kovar {

// A push button's accessible object asks its top-level window whether the button can be pressed
// now, sending it this message with the button's window as lParam. The answer is kPressable or
// kNotPressable; a window that does not decide answers 0, and then a visible, enabled button is.
inline constexpr UINT kCanPressMessage = WM_APP + 0x4B50;
inline constexpr LRESULT kPressable = 1;
inline constexpr LRESULT kNotPressable = 2;
// The notification of the WM_COMMAND that carries a press out in a window that decides, which
// asks again then: it is posted, and may arrive after a box has opened.
inline constexpr WORD kPressNotification = 0x4B50;

// Answers WM_GETOBJECT for the control's client object with one that says `name` (bytes in the
// ANSI code page) and `role`; a push button's default action, "Press", is the control's click,
// sent to its parent as the notification a mouse click sends. Returns 0 for any other object: the
// window procedure then passes the message on.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const std::string& name,
                        AccessibleRole role);

// Gives a standard control (an edit field, a combo box with its field and list, a list box, a
// button) the name and role of its row for screen readers, whatever its text or the label before
// it says. `row` is one of the description's tables' rows, which live as long as the program.
void DescribeForScreenReaders(HWND control, const ControlDescription& row);

// After `panel` was shown or hidden: screen readers that keep the panel's client object hear that
// it was, and read again whether it and what it holds are visible (the system's standard objects
// say invisible of a hidden window and of all in it).
void TellPanelShown(HWND panel, bool shown);

// Takes DescribeForScreenReaders back from one window (the combo box's list alone, say), until it
// is given again: every message to a described window passes the system's subclass dispatch,
// which under Wine asks the server for the window's property each time.
void ForgetForScreenReaders(HWND control);

}  // namespace kovar
