// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What both skins' desktops share: a failure goes to the player's box, or to standard error once
// the system is ending the program and nobody may be there to close a box.
#pragma once

#include <string>

#include "DesktopServices.h"

namespace kovar {

class Desktop : public DesktopServices {
 public:
  // While on, failures are written to standard error instead of a box.
  void ReportErrorsOnStandardError(bool on) { toStandardError_ = on; }

  void ShowError(const std::string& message) final;
  // The answer is one line.
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) final;
  // The launch script, started by the system without waiting for it.
  Result StartScript(const std::string& scriptPath, const ScriptTarget& target) override;

  // True while one of the program's modal boxes is open, which no click can get past.
  bool BoxOpen() const { return openBoxes_ > 0; }

  // Told when the first of the program's boxes opens, and when the last has closed.
  class BoxObserver {
   public:
    virtual void BoxesOpening() = 0;
    virtual void BoxesClosed() = 0;

   protected:
    ~BoxObserver() = default;
  };
  // The observer must outlive the desktop or be taken back (null).
  void SetBoxObserver(BoxObserver* observer) { boxObserver_ = observer; }

  // Counts a modal box that a window shows itself (the About box) as open while it lives.
  class OpenBox {
   public:
    explicit OpenBox(Desktop& desktop) : desktop_(desktop) {
      if (desktop_.openBoxes_++ == 0 && desktop_.boxObserver_)
        desktop_.boxObserver_->BoxesOpening();
    }
    ~OpenBox() {
      if (--desktop_.openBoxes_ == 0 && desktop_.boxObserver_) desktop_.boxObserver_->BoxesClosed();
    }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

   private:
    Desktop& desktop_;
  };

 protected:
  // The skin's modal boxes, titled with the application's name.
  virtual void ShowErrorBox(const std::string& message) = 0;
  virtual InputAnswer ShowPrompt(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;

 private:
  bool toStandardError_ = false;
  int openBoxes_ = 0;
  BoxObserver* boxObserver_ = nullptr;
};

}  // namespace kovar
