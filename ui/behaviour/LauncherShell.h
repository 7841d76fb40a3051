// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's shell, once for every skin: the skin's desktop, the program's life over it and the
// skin's two views over the windows' behaviour, made in that order; the skin adds where the
// system's and the desktop session's requests to end meet it, and its event loop. A skin's `main`
// makes one and runs it.
#pragma once

#include <utility>

#include "FileLocations.h"
#include "LauncherProgram.h"

namespace kovar {

// `Skin` names its Desktop, Console and Window classes, and gives
//   static void MeetTheSystem(LauncherProgram&, Window&): reports the system's end and the
//     session's save request to the program's life;
//   static int EventLoop(): runs until the program ends, and returns its exit status.
template <typename Skin>
class LauncherShell {
 public:
  // `files` says where the launcher's files lie. The windows exist, hidden, once this returns.
  explicit LauncherShell(FileLocations files)
      : program_(std::move(files), desktop_),
        console_(program_.ConsoleBehaviour()),
        window_(program_.WindowBehaviour()) {
    desktop_.SetMainWindow(&window_);
    Skin::MeetTheSystem(program_, window_);
  }
  LauncherShell(const LauncherShell&) = delete;
  LauncherShell& operator=(const LauncherShell&) = delete;

  Launcher& Core() { return program_.Core(); }
  LauncherProgram& Program() { return program_; }
  typename Skin::Window& frmMain() { return window_; }
  typename Skin::Console& frmDebug() { return console_; }

  // Start-up, then the event loop until the program ends. Returns the exit status.
  int Run() { return program_.Run(&Skin::EventLoop); }

 private:
  typename Skin::Desktop desktop_;
  LauncherProgram program_;
  // Made before start-up, so that the log holds every line from "exec auto.kvx" on; it stays
  // hidden unless its menu item is chosen.
  typename Skin::Console console_;
  typename Skin::Window window_;
};

}  // namespace kovar
