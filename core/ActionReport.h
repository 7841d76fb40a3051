// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The failures of one player action (a click, a command line, start-up), gathered while it runs
// and shown in one box when it ends, after the windows have shown its outcome.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "LauncherState.h"
#include "DesktopServices.h"
#include "Result.h"

namespace kovar {

class ActionReport {
 public:
  ActionReport(LauncherState& state, DesktopServices& desktop);
  ActionReport(const ActionReport&) = delete;
  ActionReport& operator=(const ActionReport&) = delete;

  // Notes a failure of the action in progress; its text names what failed, which file and why.
  void Fail(Failure failure);

  // One action, begun when made. Actions nest: only the outermost one shows the box.
  class Action {
   public:
    explicit Action(ActionReport& report);
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;
    // An action left without End (only by an exception) shows nothing.
    ~Action();

    // Ends the action: the windows are told of its text changes, then the outermost action shows
    // every failure in one box. The result holds the failures since this action began: the kind
    // and the system's error of the first, the text of them all.
    Result End();

   private:
    // True when something failed since this action began.
    bool Failed() const { return report_.failures_ > before_; }

    ActionReport& report_;
    std::size_t before_;
    bool ended_ = false;
  };

 private:
  // The failures from the `first` on, in one message: those kept, then how many more there were.
  std::string Listed(std::size_t first) const;
  void Clear();

  LauncherState& state_;
  DesktopServices& desktop_;
  int depth_ = 0;
  // The failures a box can list, the first ones; the rest are only counted, so that a command of
  // a million failing lines holds a dozen messages, not a million.
  std::vector<Failure> listed_;
  // The latest failure, which stands for an action whose failures all came after the listed ones.
  std::optional<Failure> latest_;
  std::size_t failures_ = 0;
};

}  // namespace kovar
