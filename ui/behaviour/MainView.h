// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's behaviour asks of a skin: a passive view that has made its controls from
// the window description, shows what it is told and reports its toolkit's events to MainBehaviour.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "BmpDecoder.h"
#include "Result.h"
#include "WindowDescription.h"

namespace kovar {

class MainView {
 public:
  virtual ~MainView() = default;

  // Shows `bytes` as the text of a field or a label. Returns what the control holds now, read
  // back as bytes: text the local encoding cannot show comes back changed.
  virtual std::string SetText(MainControl control, const std::string& bytes) = 0;
  // Replaces a list's entries; no entry is selected and the field's text stays as it is.
  virtual void SetList(MainControl control, const std::vector<std::string>& entries) = 0;
  virtual void SetVisible(MainControl control, bool visible) = 0;
  // The field that has the keyboard focus, or gets it back once the window is active again;
  // Count for the window itself.
  virtual MainControl Focused() const = 0;
  // Gives `control` (Count: the window itself) the keyboard focus, and tells screen readers so;
  // while another window is active, once the window is active again.
  virtual void Focus(MainControl control) = 0;
  // The name a screen reader gives a control whose name follows what it shows.
  virtual void SetAccessibleName(MainControl control, const std::string& bytes) = 0;
  // Tells screen readers that `panel`, just shown, is there: they present it by its name.
  virtual void Announce(MainControl panel) = 0;
  // What a screen reader hears of a list's entry besides its text. Kept until the list's entries
  // are replaced.
  virtual void DescribeEntry(MainControl list, std::size_t entry, const std::string& bytes) = 0;
  // Shows a decoded picture at its own size (an empty one: none, at the control's own size). A
  // failure says why the picture cannot be shown.
  virtual Result ShowPicture(MainControl control, const Bitmap& picture) = 0;
  virtual void Beep() = 0;
  // A modal message with an OK button only, titled with the application's name.
  virtual void ShowMessage(const std::string& text) = 0;
  // The program ends now: no event may run after this.
  virtual void End() = 0;
};

}  // namespace kovar
